// Handles of GDI objects: each live object is listed, so stale or foreign handles
// are refused; freed objects are kept for reuse, since programs make a device context
// and a font every frame. Internal to the platform layer.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace vorn::platform {

template <class T>
class HandleTable {
public:
    ~HandleTable() {
        for (T* object : m_live) delete object;
    }

    T* Add(const T& value) {
        T* object;
        if (m_free.empty()) {
            object = new T(value);
        } else {
            object = m_free.back().release();
            m_free.pop_back();
            *object = value;
        }
        m_live.push_back(object);
        return object;
    }

    // The object of a handle, or null when it is not one of ours.
    T* Find(const void* handle) const {
        auto it = std::find(m_live.begin(), m_live.end(), static_cast<const T*>(handle));
        return it == m_live.end() ? nullptr : *it;
    }

    void Remove(T* object) {
        auto it = std::find(m_live.begin(), m_live.end(), object);
        if (it == m_live.end()) return;
        m_live.erase(it);
        m_free.emplace_back(object);
    }

    const std::vector<T*>& Live() const { return m_live; }

private:
    std::vector<T*> m_live;  // few at a time
    std::vector<std::unique_ptr<T>> m_free;
};

}  // namespace vorn::platform
