// CFileReader: reads a whole data file into one memory block that it owns.
//
// A name is resolved against the base folder. When it cannot be opened as a plain
// file, the reader looks it up in the pack archive of its folder (data\nae.bmp is the
// record nae.bmp of data.dat, letters compared without regard to case). An image that
// begins with "VPK1" is unscrambled in place and presented without the marker.
#pragma once

#include <string>

#include "platform/base/types.h"

class CFileReader {
public:
    CFileReader() = default;
    ~CFileReader();
    CFileReader(const CFileReader&) = delete;
    CFileReader& operator=(const CFileReader&) = delete;

    // Loads a file; earlier content goes first. Returns
    //   0 loaded: GetMemory and GetSize describe the content;
    //   1 the plain file did not open and the name is not in its folder's archive;
    //   2 the plain file opened but its size could not be read;
    //   3 no memory block for the content (also: a plain file of 4 GiB or more);
    //   4 reading the content failed, or it is shorter than its size says (a record
    //     that reaches past the end of its archive);
    //   5 closing the file after reading failed.
    // After any result but 0 the reader holds nothing and every handle it opened is
    // closed.
    int Read(const std::string& fileName);

    // The content: the block after the marker when the image was scrambled. Valid until
    // the next Read, Close or the reader's end.
    BYTE* GetMemory() const { return m_bScrambled ? m_lpBuffer + 4 : m_lpBuffer; }
    DWORD GetSize() const { return m_bScrambled ? m_dwSize - 4 : m_dwSize; }

    // Frees the content.
    void Close();

    // What follows the last '.' of the name given to the last Read ("jpg" for
    // pic/title.jpg); empty when the name has no '.'.
    std::string GetSuffix() const;

private:
    BYTE* m_lpBuffer = nullptr;  // the whole image as read, from GlobalAlloc
    DWORD m_dwSize = 0;          // bytes in m_lpBuffer
    std::string m_strFileName;   // the name given to the last Read, as given
    bool m_bScrambled = false;   // m_lpBuffer begins with the marker and was unscrambled
};
