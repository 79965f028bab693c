// Device context handles: every live context is listed, so that stale or foreign
// handles are refused instead of used. Freed contexts are kept for reuse, since a
// program takes one for its text every frame.
#include "platform/gdi/device_context.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vorn::platform {

namespace {
struct Contexts {
    std::vector<DeviceContext*> live;  // few at a time
    std::vector<std::unique_ptr<DeviceContext>> free;
    ~Contexts() {
        for (DeviceContext* context : live) delete context;
    }
};
Contexts& AllContexts() {
    static Contexts contexts;
    return contexts;
}
}  // namespace

HDC NewDeviceContext(const DeviceContext& context) {
    Contexts& contexts = AllContexts();
    DeviceContext* object;
    if (contexts.free.empty()) {
        object = new DeviceContext(context);
    } else {
        object = contexts.free.back().release();
        contexts.free.pop_back();
        *object = context;
    }
    contexts.live.push_back(object);
    return reinterpret_cast<HDC>(object);
}

DeviceContext* DeviceContextOf(HDC dc) {
    auto* object = reinterpret_cast<DeviceContext*>(dc);
    const auto& live = AllContexts().live;
    return std::find(live.begin(), live.end(), object) != live.end() ? object : nullptr;
}

void DeleteDeviceContext(HDC dc) {
    Contexts& contexts = AllContexts();
    if (DeviceContext* object = DeviceContextOf(dc)) {
        contexts.live.erase(std::find(contexts.live.begin(), contexts.live.end(), object));
        contexts.free.emplace_back(object);
    }
}

}  // namespace vorn::platform
