// The layer registry: the list of registered layers and the two passes it hooks into
// the display device's presentation. The surface pass is hooked once for good; the DC
// pass only while a layer that draws through the device context is registered, so a
// frame without text takes no device context of the secondary.
#include <algorithm>
#include <vector>

#include "sdk/display/direct_draw.h"
#include "sdk/display/layer.h"
#include "sdk/frame/game_frame.h"

namespace {

struct LayerRegistry {
    std::vector<CLayer*> layers;  // registration order is drawing order; not owned
    bool hooksPending = true;
    int dcLayerCount = 0;
};

// Never destroyed: a layer in static storage may leave the registry at exit.
LayerRegistry& Registry() {
    static auto* registry = new LayerRegistry;
    return *registry;
}

// Both passes read the list's length anew at every step: a layer may register another
// while it draws.
void SurfacePass() {
    auto& layers = Registry().layers;
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (!layers[i]->UsesDC()) layers[i]->OnDraw();
}

void DCPass(HDC dc) {
    auto& layers = Registry().layers;
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (layers[i]->UsesDC()) layers[i]->OnDrawDC(dc);
}

}  // namespace

CLayer::~CLayer() { UnregisterLayer(this); }

void RegisterLayer(CLayer* layer) {
    if (layer->m_bRegistered) return;
    LayerRegistry& registry = Registry();
    CDirectDraw* display = GetDirectDraw();
    if (registry.hooksPending) {
        registry.hooksPending = false;
        display->m_PrePaintCallbacks.Add(&SurfacePass);
    }
    if (layer->UsesDC() && registry.dcLayerCount++ == 0) display->m_DCPaintCallbacks.Add(&DCPass);
    registry.layers.push_back(layer);
    layer->m_bRegistered = true;
}

void UnregisterLayer(CLayer* layer) {
    if (!layer->m_bRegistered) return;
    LayerRegistry& registry = Registry();
    if (layer->UsesDC() && --registry.dcLayerCount == 0)
        GetDirectDraw()->m_DCPaintCallbacks.Remove(&DCPass);
    auto& layers = registry.layers;
    layers.erase(std::find(layers.begin(), layers.end(), layer));
    layer->m_bRegistered = false;
}
