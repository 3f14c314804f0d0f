// The editor's child window and surface on a real X server (run under xvfb-run).
#include <gtest/gtest.h>

#include <cairo/cairo.h>

#include <cstdlib>

#include "sdk/vstgui/lib/platform/linux/x11surface.h"
#include "sdk/vstgui/lib/platform/linux/x11window.h"
#include "tools/host/host_display.h"

namespace {
using namespace VSTGUI::X11;
using morvik::host::HostDisplay;
using morvik::host::HostWindow;

struct XServer : ::testing::Test {
    void SetUp() override
    {
        std::string error;
        display = HostDisplay::open(error);
        ASSERT_TRUE(display) << error << " (run the test under xvfb-run)";
        host = std::make_unique<HostWindow>(*display, 120, 80, "test");
        connection = Connection::open();
        ASSERT_TRUE(connection);
    }

    // Fills the offscreen picture with one colour, copies `area` of it to the
    // window and looks at the host's window.
    morvik::host::Screenshot show(Surface& surface, double red, double green, double blue,
                                  const VSTGUI::CRect& area)
    {
        cairo_t* cr = cairo_create(surface.offscreen());
        cairo_set_source_rgb(cr, red, green, blue);
        cairo_paint(cr);
        cairo_destroy(cr);
        surface.copyToWindow({area});
        display->sync();
        return host->capture();
    }

    std::unique_ptr<HostDisplay> display;
    std::unique_ptr<HostWindow> host;
    std::unique_ptr<Connection> connection;
};

TEST_F(XServer, TheChildWindowIsMappedAndAnnouncesXEmbedMapped)
{
    auto child = ChildWindow::create(*connection, host->id(), 100, 60);
    ASSERT_TRUE(child);
    // Read at once on the host's own connection, as a host does after attached():
    // the server orders requests only within a connection, so the child must
    // not return before its property and map are carried out.
    xcb_connection_t* c = display->connection();

    const xcb_atom_t xembedInfo = display->atom("_XEMBED_INFO");
    auto* property =
        xcb_get_property_reply(c, xcb_get_property(c, 0, child->id(), xembedInfo, xembedInfo, 0, 2), nullptr);
    ASSERT_TRUE(property);
    ASSERT_EQ(xcb_get_property_value_length(property), 8);
    const auto* info = static_cast<const uint32_t*>(xcb_get_property_value(property));
    EXPECT_EQ(info[0], 0u);  // version
    EXPECT_EQ(info[1], 1u);  // mapped
    std::free(property);

    auto* attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, child->id()), nullptr);
    ASSERT_TRUE(attributes);
    EXPECT_NE(attributes->map_state, XCB_MAP_STATE_UNMAPPED);
    std::free(attributes);

    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, child->id()), nullptr);
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->parent, host->id());
    std::free(tree);
}

TEST_F(XServer, OnlyTheCopiedAreaOfTheOffscreenPictureReachesTheWindow)
{
    auto child = ChildWindow::create(*connection, host->id(), 100, 60);
    ASSERT_TRUE(child);
    Surface surface(connection->get(), child->id(), child->visual(), 100, 60);
    const auto shot = show(surface, 1, 0, 0, VSTGUI::CRect(0, 0, 50, 60));
    ASSERT_FALSE(shot.empty());
    EXPECT_EQ(shot.at(10, 10), 0xFF0000u);
    EXPECT_NE(shot.at(70, 10), 0xFF0000u);
}

// cairo keeps a device per X connection, keyed by its address; an editor that
// left its device behind made a later connection at the same address abort.
TEST_F(XServer, SurfacesOnSuccessiveConnectionsDrawEachTime)
{
    connection.reset();
    for (int round = 0; round < 5; ++round) {
        auto c = Connection::open();
        ASSERT_TRUE(c);
        auto child = ChildWindow::create(*c, host->id(), 40, 40);
        ASSERT_TRUE(child);
        Surface surface(c->get(), child->id(), child->visual(), 40, 40);
        EXPECT_EQ(show(surface, 0, 0, 1, VSTGUI::CRect(0, 0, 40, 40)).at(20, 20), 0x0000FFu) << round;
    }
}

TEST_F(XServer, NoWindowForAParentThatDoesNotExist)
{
    EXPECT_FALSE(ChildWindow::create(*connection, 0x7ffffff, 10, 10));
}

}  // namespace
