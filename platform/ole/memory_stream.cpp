// Streams over memory blocks: CreateStreamOnHGlobal.
#include "platform/ole/memory_stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/kernel/kernel.h"
#include "platform/ole/ref_counted.h"
#include "platform/testing/faults.h"

const IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

namespace {

class MemoryStream final : public vorn::platform::RefCounted<IStream> {
public:
    MemoryStream(HGLOBAL memory, std::size_t size, bool deleteOnRelease)
        : memory_(memory), size_(size), deleteOnRelease_(deleteOnRelease) {}

    HRESULT QueryInterface(REFIID iid, void** object) override {
        return Answer(iid, IID_IStream, object);
    }

    HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
        const std::size_t copied = std::min<std::size_t>(count, Available());
        if (copied != 0) std::memcpy(buffer, Data(), copied);
        position_ += copied;
        if (read != nullptr) *read = static_cast<ULONG>(copied);
        return copied == count ? S_OK : S_FALSE;
    }

    HRESULT Seek(LONGLONG move, DWORD origin, std::uint64_t* newPosition) override {
        std::int64_t base = 0;
        if (origin == STREAM_SEEK_CUR) {
            base = static_cast<std::int64_t>(position_);
        } else if (origin == STREAM_SEEK_END) {
            if (size_ == SIZE_MAX) return E_INVALIDARG;  // the end is not known
            base = static_cast<std::int64_t>(size_);
        } else if (origin != STREAM_SEEK_SET) {
            return E_INVALIDARG;
        }
        const std::int64_t target = base + move;
        if (target < 0 || static_cast<std::uint64_t>(target) > size_) return E_INVALIDARG;
        position_ = static_cast<std::size_t>(target);
        if (newPosition != nullptr) *newPosition = position_;
        return S_OK;
    }

    const BYTE* Data() const { return static_cast<const BYTE*>(memory_) + position_; }
    std::size_t Available() const { return size_ == SIZE_MAX ? SIZE_MAX : size_ - position_; }
    void Advance(std::size_t count) { position_ += std::min(count, Available()); }

private:
    ~MemoryStream() override {
        if (deleteOnRelease_) GlobalFree(memory_);
    }

    HGLOBAL memory_;
    std::size_t size_;  // SIZE_MAX when the block did not come from GlobalAlloc
    bool deleteOnRelease_;
    std::size_t position_ = 0;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, LPSTREAM* stream) {
    if (stream == nullptr) return E_INVALIDARG;
    *stream = nullptr;
    if (memory == nullptr) return E_INVALIDARG;
    std::int64_t failure = E_OUTOFMEMORY;
    if (vorn::platform::ShouldFail("CreateStreamOnHGlobal", memory, &failure)) {
        return static_cast<HRESULT>(failure);
    }
    // Only a block that GlobalAlloc gave (GlobalLock knows it) has a known size.
    const bool globalBlock = GlobalLock(memory) != nullptr;
    if (globalBlock) GlobalUnlock(memory);
    const std::size_t size = globalBlock ? GlobalSize(memory) : SIZE_MAX;
    *stream = new MemoryStream(memory, size, deleteOnRelease != FALSE);
    return S_OK;
}

namespace vorn::platform {

bool StreamMemory(IStream* stream, const BYTE** data, std::size_t* available) {
    auto* memory = dynamic_cast<MemoryStream*>(stream);
    if (memory == nullptr) return false;
    *data = memory->Data();
    *available = memory->Available();
    return true;
}

void AdvanceStream(IStream* stream, std::size_t count) {
    if (auto* memory = dynamic_cast<MemoryStream*>(stream)) memory->Advance(count);
}

}  // namespace vorn::platform
