// An ordered list of plain function pointers that other parts of the SDK hook into the
// display device's frame presentation. Adding and removing happen between frames; the
// presentation walks the list by index, reading its length anew before every call, so
// a callback may append to the list it is called from. Walking allocates nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

template <typename Function>
class CCallbackList {
public:
    // Appends the function at the end; the same function may stand in the list twice.
    void Add(Function function) { m_functions.push_back(function); }

    // Removes the first entry equal to the function; nothing when it is not listed.
    void Remove(Function function) {
        auto it = std::find(m_functions.begin(), m_functions.end(), function);
        if (it != m_functions.end()) m_functions.erase(it);
    }

    bool empty() const { return m_functions.empty(); }
    std::size_t size() const { return m_functions.size(); }

    // Calls every function in list order with the arguments given.
    template <typename... Args>
    void CallAll(Args... args) const {
        for (std::size_t i = 0; i < m_functions.size(); ++i) m_functions[i](args...);
    }

private:
    std::vector<Function> m_functions;
};
