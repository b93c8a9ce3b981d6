// How a page frame calls back the page that drew it: the button bar and the content area.
#pragma once

namespace frames {

// Implemented by the page object. Each callback runs under its own handler and returns normally
// after a handled failure; the page-stop signal passes through.
class PageCallbacks {
 public:
  virtual ~PageCallbacks() = default;
  // Writes the buttons of the frame's button-bar cell.
  virtual void winmenu() = 0;
  // Writes the page's content inside the frame's content area.
  virtual void showcontent() = 0;
};

}  // namespace frames
