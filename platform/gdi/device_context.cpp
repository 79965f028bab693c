// Device context handles.
#include "platform/gdi/device_context.h"

#include "platform/gdi/handle_table.h"

namespace vorn::platform {

namespace {
HandleTable<DeviceContext>& Contexts() {
    static HandleTable<DeviceContext> contexts;
    return contexts;
}
}  // namespace

HDC NewDeviceContext(const DeviceContext& context) {
    return reinterpret_cast<HDC>(Contexts().Add(context));
}

DeviceContext* DeviceContextOf(HDC dc) { return Contexts().Find(dc); }

void DeleteDeviceContext(HDC dc) {
    if (DeviceContext* object = DeviceContextOf(dc)) Contexts().Remove(object);
}

void ForEachDeviceContext(void (*visit)(DeviceContext&, void*), void* data) {
    for (DeviceContext* context : Contexts().Live()) visit(*context, data);
}

}  // namespace vorn::platform
