// The layer registry: who is drawn, in what order, and when the display lends its
// device context for layers.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "layer_fixture.h"

namespace vorn::test {
namespace {

std::vector<int> g_drawn;  // ids of the layers drawn, in drawing order

class RecordingLayer : public CLayer {
public:
    RecordingLayer(int id, bool usesDC) : m_id(id) { m_bUseDC = usesDC; }
    void OnDrawDC(HDC dc) override {
        EXPECT_NE(dc, nullptr);
        g_drawn.push_back(m_id);
    }
    void OnDraw() override { g_drawn.push_back(-m_id); }

private:
    int m_id;
};

class LayerRegistryTest : public LayerTest {
protected:
    void SetUp() override {
        LayerTest::SetUp();
        g_drawn.clear();
    }
    std::vector<int> DrawFrame() {
        g_drawn.clear();
        m_display->Present();
        return g_drawn;
    }
};

TEST_F(LayerRegistryTest, LayersDrawInRegistrationOrderOncePerFrame) {
    RecordingLayer first(1, true), surface(2, false), last(3, true);
    RegisterLayer(&first);
    RegisterLayer(&surface);
    RegisterLayer(&last);
    RegisterLayer(&first);  // a second registration changes nothing
    EXPECT_TRUE(first.IsRegistered());
    // The surface pass runs before the device-context pass.
    EXPECT_EQ(DrawFrame(), (std::vector<int>{-2, 1, 3}));
    UnregisterLayer(&first);
    UnregisterLayer(&first);  // not registered: nothing
    EXPECT_FALSE(first.IsRegistered());
    EXPECT_EQ(DrawFrame(), (std::vector<int>{-2, 3}));
    RegisterLayer(&first);
    EXPECT_EQ(DrawFrame(), (std::vector<int>{-2, 3, 1})) << "registered again: drawn last";
    UnregisterLayer(&surface);
    UnregisterLayer(&first);
    UnregisterLayer(&last);
}

TEST_F(LayerRegistryTest, DestroyedLayerLeavesTheRegistry) {
    auto layer = std::make_unique<RecordingLayer>(7, true);
    RegisterLayer(layer.get());
    EXPECT_EQ(DrawFrame(), (std::vector<int>{7}));
    layer.reset();
    EXPECT_TRUE(DrawFrame().empty());
}

TEST_F(LayerRegistryTest, DeviceContextIsTakenOnlyWhileADCLayerIsRegistered) {
    RecordingLayer a(1, true), b(2, true), plain(3, false);
    RegisterLayer(&plain);
    const size_t surfacePasses = m_display->m_PrePaintCallbacks.size();
    EXPECT_TRUE(m_display->m_DCPaintCallbacks.empty());

    RegisterLayer(&a);
    RegisterLayer(&b);
    EXPECT_EQ(m_display->m_DCPaintCallbacks.size(), 1u) << "one pass serves every DC layer";
    UnregisterLayer(&a);
    EXPECT_EQ(m_display->m_DCPaintCallbacks.size(), 1u);
    int before = testing::CallCount("IDirectDrawSurface::GetDC");
    EXPECT_EQ(DrawFrame(), (std::vector<int>{-3, 2}));
    EXPECT_GT(testing::CallCount("IDirectDrawSurface::GetDC"), before);

    UnregisterLayer(&b);
    EXPECT_TRUE(m_display->m_DCPaintCallbacks.empty());
    before = testing::CallCount("IDirectDrawSurface::GetDC");
    EXPECT_EQ(DrawFrame(), (std::vector<int>{-3}));
    EXPECT_EQ(testing::CallCount("IDirectDrawSurface::GetDC"), before) << "no device context taken";
    UnregisterLayer(&plain);
    EXPECT_EQ(m_display->m_PrePaintCallbacks.size(), surfacePasses) << "the surface pass stays";
}

// A layer that registers another while it is drawn: the new one is drawn the same frame.
class SpawningLayer : public RecordingLayer {
public:
    SpawningLayer() : RecordingLayer(1, true) {}
    void OnDrawDC(HDC dc) override {
        RecordingLayer::OnDrawDC(dc);
        RegisterLayer(&child);
    }
    RecordingLayer child{2, true};
};

TEST_F(LayerRegistryTest, LayerRegisteredWhileDrawingIsDrawnInTheSameFrame) {
    SpawningLayer parent;
    RegisterLayer(&parent);
    EXPECT_EQ(DrawFrame(), (std::vector<int>{1, 2}));
    UnregisterLayer(&parent);
    UnregisterLayer(&parent.child);
}

}  // namespace
}  // namespace vorn::test
