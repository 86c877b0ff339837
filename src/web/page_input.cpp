#include "web/page_input.h"

#include <emscripten/html5.h>

#include <array>
#include <cmath>
#include <map>

#include "web/page_run.h"

namespace glouton::web {

namespace {

std::function<PageRun*()> showing;
int pads_plugged = 0;

// The browser's key codes are the game's virtual key codes. A key's place
// tells the keypad's keys from the others of the same code.
int place_of(const EmscriptenKeyboardEvent& e) {
  return static_cast<int>(e.keyCode & 0xff) + (e.location == DOM_KEY_LOCATION_NUMPAD ? 256 : 0);
}

// The keys the page leaves to the browser: Tab, to leave the canvas, and the function keys.
bool browsers(const EmscriptenKeyboardEvent& e) {
  return e.keyCode == 9 || (e.keyCode >= 112 && e.keyCode <= 123);
}

EM_BOOL key_down(int, const EmscriptenKeyboardEvent* e, void*) {
  if (browsers(*e)) return EM_FALSE;
  if (PageRun* run = showing())
    run->key(static_cast<int>(e->keyCode), place_of(*e), e->repeat != 0, e->altKey != 0);
  return EM_TRUE;
}

EM_BOOL key_up(int, const EmscriptenKeyboardEvent* e, void*) {
  if (browsers(*e)) return EM_FALSE;
  if (PageRun* run = showing()) run->feed(Input::released(place_of(*e)));
  return EM_TRUE;
}

EM_BOOL touch(int type, const EmscriptenTouchEvent* e, void*) {
  PageRun* run = showing();
  if (!run) return EM_TRUE;
  const PageRun::Finger what = type == EMSCRIPTEN_EVENT_TOUCHSTART  ? PageRun::Finger::down
                               : type == EMSCRIPTEN_EVENT_TOUCHMOVE ? PageRun::Finger::move
                               : type == EMSCRIPTEN_EVENT_TOUCHEND  ? PageRun::Finger::up
                                                                    : PageRun::Finger::cancel;
  for (int i = 0; i < e->numTouches; ++i) {
    const EmscriptenTouchPoint& t = e->touches[i];
    if (t.isChanged) run->finger(what, t.identifier, t.targetX, t.targetY);
  }
  return EM_TRUE;  // no scrolling, and no mouse made of the touch
}

EM_BOOL mouse(int type, const EmscriptenMouseEvent* e, void*) {
  if (e->button != 0) return EM_FALSE;
  if (PageRun* run = showing())
    run->mouse(type == EMSCRIPTEN_EVENT_MOUSEDOWN, e->targetX, e->targetY);
  return EM_FALSE;  // the canvas takes the focus as it is clicked
}

// The game goes on without the focus, but nothing held stays pressed.
void focus_lost();

EM_BOOL blurred(int, const EmscriptenFocusEvent*, void*) {
  focus_lost();
  return EM_FALSE;
}

EM_BOOL visibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
  if (e->hidden)
    focus_lost();
  else if (PageRun* run = showing())
    run->refit();
  return EM_FALSE;
}

// clang-format off
// The game's room changes size as the window does, in and out of fullscreen,
// and as the page's strip and pad take room (web/page.js): the game is fitted
// again each time, and once as this starts.
EM_JS(void, observe_room, (), {
  new ResizeObserver(() => Module['_glouton_refit']()).observe(document.getElementById('room'));
});
// clang-format on

EM_BOOL pad_plugged(int type, const EmscriptenGamepadEvent*, void*) {
  pads_plugged += type == EMSCRIPTEN_EVENT_GAMEPADCONNECTED ? 1 : -1;
  return EM_FALSE;
}

// A controller's last state, for its presses: a button as it goes down, the
// stick as it crosses into a direction.
struct Pad {
  std::array<bool, 6> held{};  // by PadPress
  int stick = -1;              // the PadPress of the stick's direction, -1 at rest
  bool spent = false;          // held through a loss of focus: counts once back at rest
};
std::map<long, Pad> pads;

// 40 % of the full scale: a resting stick drifts, a pushed one does not.
constexpr double stick_dead_zone = 0.4;

int stick_direction(double x, double y) {
  if (std::fabs(x) < stick_dead_zone && std::fabs(y) < stick_dead_zone) return -1;
  // Along the axis pushed further; up on a tie, then left: the screen's reading order.
  if (std::fabs(y) >= std::fabs(x)) return static_cast<int>(y < 0 ? PadPress::up : PadPress::down);
  return static_cast<int>(x < 0 ? PadPress::left : PadPress::right);
}

void focus_lost() {
  for (auto& [index, pad] : pads) pad.spent = pad.stick >= 0;
  if (PageRun* run = showing()) run->feed(Input::focus_lost);
}

}  // namespace

bool pads_connected() {
  return pads_plugged > 0;
}

std::vector<PadPress> poll_pads() {
  std::vector<PadPress> presses;
  if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return presses;
  // The standard layout's buttons: south, east, then the D-pad.
  constexpr std::array<std::pair<int, PadPress>, 6> buttons = {{{0, PadPress::south},
                                                                {1, PadPress::east},
                                                                {12, PadPress::up},
                                                                {13, PadPress::down},
                                                                {14, PadPress::left},
                                                                {15, PadPress::right}}};
  for (int i = 0; i < emscripten_get_num_gamepads(); ++i) {
    EmscriptenGamepadEvent state{};
    if (emscripten_get_gamepad_status(i, &state) != EMSCRIPTEN_RESULT_SUCCESS || !state.connected)
      continue;
    Pad& pad = pads[state.index];
    for (const auto& [button, press] : buttons) {
      const bool down = button < state.numButtons && state.digitalButton[button];
      bool& held = pad.held[static_cast<std::size_t>(press)];
      if (down && !held) presses.push_back(press);
      held = down;
    }
    const int stick = state.numAxes >= 2 ? stick_direction(state.axis[0], state.axis[1]) : -1;
    if (stick < 0) pad.spent = false;
    if (stick >= 0 && stick != pad.stick && !pad.spent)
      presses.push_back(static_cast<PadPress>(stick));
    pad.stick = stick;
  }
  return presses;
}

void listen(std::function<PageRun*()> run) {
  showing = std::move(run);
  const char* canvas = "#canvas";
  emscripten_set_keydown_callback(canvas, nullptr, EM_FALSE, key_down);
  emscripten_set_keyup_callback(canvas, nullptr, EM_FALSE, key_up);
  emscripten_set_touchstart_callback(canvas, nullptr, EM_FALSE, touch);
  emscripten_set_touchmove_callback(canvas, nullptr, EM_FALSE, touch);
  emscripten_set_touchend_callback(canvas, nullptr, EM_FALSE, touch);
  emscripten_set_touchcancel_callback(canvas, nullptr, EM_FALSE, touch);
  emscripten_set_mousedown_callback(canvas, nullptr, EM_FALSE, mouse);
  emscripten_set_mouseup_callback(canvas, nullptr, EM_FALSE, mouse);
  // A browser tells of a controller once, at its first press: not one to miss.
  emscripten_set_gamepadconnected_callback(nullptr, EM_FALSE, pad_plugged);
  emscripten_set_gamepaddisconnected_callback(nullptr, EM_FALSE, pad_plugged);
}

void listen_to_the_page() {
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, blurred);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, visibility);
  observe_room();
}

}  // namespace glouton::web

// The room's observer (observe_room): the run showing fits its picture again.
extern "C" EMSCRIPTEN_KEEPALIVE void glouton_refit() {
  if (glouton::web::PageRun* run = glouton::web::showing()) run->refit();
}
