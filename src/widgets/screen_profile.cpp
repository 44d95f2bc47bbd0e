#include "widgets/screen_profile.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace tavlo {

namespace {

// Profiles are some hundred kilobytes at the most; a larger property is not one.
constexpr std::uint32_t kMaxProfileWords = (4u << 20) / 4;

} // namespace

std::vector<std::uint8_t> screenIccProfile() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return {};
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return {};
    constexpr char kName[] = "_ICC_PROFILE";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) return {};
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> property(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, screen->root, atom->atom,
                                                XCB_ATOM_CARDINAL, 0, kMaxProfileWords),
                               nullptr),
        &std::free);
    if (!property || property->format != 8) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(xcb_get_property_value(property.get()));
    return {bytes, bytes + xcb_get_property_value_length(property.get())};
}

} // namespace tavlo
