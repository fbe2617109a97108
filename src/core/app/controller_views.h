// The window as the controller's parts see it: one view per feature, each handed only to the parts
// that use it. A window that draws everything passes itself for all of them.
#pragma once

#include <concepts>

#include "core/commands/menu_view.h"
#include "core/options/dialog_view.h"
#include "core/panel/message_view.h"
#include "core/panel/panel_view.h"
#include "core/panel/placement_view.h"
#include "core/panel/window_view.h"
#include "core/skin/skin_view.h"
#include "core/tray/tray_view.h"

namespace zr4 {

template <class Window>
concept AllControllerViews =
    std::derived_from<Window, PanelView> && std::derived_from<Window, MessageView> &&
    std::derived_from<Window, WindowView> && std::derived_from<Window, PlacementView> &&
    std::derived_from<Window, TrayView> && std::derived_from<Window, SkinView> &&
    std::derived_from<Window, MenuView> && std::derived_from<Window, DialogView>;

struct TControllerViews {
  template <AllControllerViews Window>
  TControllerViews(Window& window)  // NOLINT(google-explicit-constructor): one window, all views
      : panel(window),
        messages(window),
        window(window),
        placement(window),
        tray(window),
        skin(window),
        menu(window),
        dialogs(window) {}
  TControllerViews(PanelView& panel, MessageView& messages, WindowView& window,
                   PlacementView& placement, TrayView& tray, SkinView& skin, MenuView& menu,
                   DialogView& dialogs)
      : panel(panel),
        messages(messages),
        window(window),
        placement(placement),
        tray(tray),
        skin(skin),
        menu(menu),
        dialogs(dialogs) {}

  PanelView& panel;
  MessageView& messages;
  WindowView& window;
  PlacementView& placement;
  TrayView& tray;
  SkinView& skin;
  MenuView& menu;
  DialogView& dialogs;
};

}  // namespace zr4
