// Game controllers as the game's keys: the mapping of buttons and the left
// stick on made-up events, then SDL's virtual joystick standing in for a
// controller that is plugged in, pressed, pushed and pulled out again.
#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controllers.h"

namespace glouton::platform {
namespace {

SDL_Event axis(SDL_JoystickID pad, SDL_GameControllerAxis which, int value) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.which = pad;
  e.caxis.axis = static_cast<Uint8>(which);
  e.caxis.value = static_cast<Sint16>(value);
  return e;
}

constexpr int full = 32767;

TEST(StickDirection, NoneInsideTheDeadZoneElseTheFurtherAxis) {
  EXPECT_EQ(stick_dead_zone, 13107);  // 40% of full scale
  EXPECT_EQ(stick_direction(0, 0), StickDirection::none);
  EXPECT_EQ(stick_direction(13106, -13106), StickDirection::none);
  EXPECT_EQ(stick_direction(-13107, 0), StickDirection::left);
  EXPECT_EQ(stick_direction(13107, 0), StickDirection::right);
  EXPECT_EQ(stick_direction(0, -32768), StickDirection::up);
  EXPECT_EQ(stick_direction(0, full), StickDirection::down);
  EXPECT_EQ(stick_direction(-20000, 15000), StickDirection::left);
  EXPECT_EQ(stick_direction(9000, 20000), StickDirection::down);
  EXPECT_EQ(stick_direction(20000, -20000), StickDirection::up) << "a tie goes to the vertical";
}

TEST(PadMapping, EachControllerHasItsOwnStick) {
  PadMapping m;
  EXPECT_EQ(m.handle(axis(1, SDL_CONTROLLER_AXIS_LEFTX, full)), PadPress::right);
  EXPECT_EQ(m.handle(axis(2, SDL_CONTROLLER_AXIS_LEFTX, full)), PadPress::right);
  EXPECT_EQ(m.handle(axis(1, SDL_CONTROLLER_AXIS_LEFTX, full)), std::nullopt);
  // One unplugged and back with its stick still pushed: its direction counts again.
  m.forget(1);
  EXPECT_EQ(m.handle(axis(1, SDL_CONTROLLER_AXIS_LEFTX, full)), PadPress::right);
  EXPECT_EQ(m.handle(axis(2, SDL_CONTROLLER_AXIS_LEFTX, 30000)), std::nullopt);
}

// A controller of SDL's own making: a virtual joystick laid out as a game
// controller, its buttons and axes numbered as SDL's controller ones.
class VirtualPad : public ::testing::Test {
 protected:
  void SetUp() override {
    // Presses come even with no window focused, as when the tests run alone.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    controllers_ = std::make_unique<Controllers>([this](const std::string& w) { warnings_ += w; });
    ASSERT_TRUE(controllers_->started()) << warnings_;
    drain();
  }
  void TearDown() override {
    if (device_ >= 0) SDL_JoystickDetachVirtual(device_);
    controllers_.reset();
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
  }

  void plug_in() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "glouton test pad";
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device_, 0) << SDL_GetError();
    ASSERT_TRUE(SDL_IsGameController(device_));
    pad_ = SDL_JoystickGetDeviceInstanceID(device_);
    drain();
    joystick_ = SDL_JoystickFromInstanceID(pad_);
    ASSERT_NE(joystick_, nullptr) << "the controller was not opened as it came";
  }
  void pull_out() {
    ASSERT_EQ(SDL_JoystickDetachVirtual(device_), 0) << SDL_GetError();
    device_ = -1;
    joystick_ = nullptr;
  }

  // Pumps SDL and hands every event to the controllers; the presses they gave.
  std::vector<PadPress> drain() {
    std::vector<PadPress> presses;
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (const std::optional<PadPress> p = controllers_->handle(e)) presses.push_back(*p);
    return presses;
  }
  std::vector<PadPress> press(SDL_GameControllerButton b) {
    SDL_JoystickSetVirtualButton(joystick_, b, SDL_PRESSED);
    std::vector<PadPress> down = drain();
    SDL_JoystickSetVirtualButton(joystick_, b, SDL_RELEASED);
    std::vector<PadPress> up = drain();
    down.insert(down.end(), up.begin(), up.end());
    return down;
  }
  std::vector<PadPress> push(SDL_GameControllerAxis a, int value) {
    SDL_JoystickSetVirtualAxis(joystick_, a, static_cast<Sint16>(value));
    return drain();
  }

  std::unique_ptr<Controllers> controllers_;
  std::string warnings_;
  int device_ = -1;
  SDL_JoystickID pad_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

using Presses = std::vector<PadPress>;

TEST_F(VirtualPad, IsOpenedAsItIsPluggedInAndClosedAsItGoes) {
  const int before = controllers_->count();
  plug_in();
  EXPECT_EQ(controllers_->count(), before + 1);
  pull_out();
  EXPECT_EQ(drain(), Presses{}) << "pulling out a controller presses nothing";
  EXPECT_EQ(controllers_->count(), before);
  EXPECT_EQ(SDL_JoystickFromInstanceID(pad_), nullptr) << "the controller was left open";
  // Plugged in again, it steers again.
  plug_in();
  EXPECT_EQ(controllers_->count(), before + 1);
  EXPECT_EQ(press(SDL_CONTROLLER_BUTTON_DPAD_UP), Presses{PadPress::up});
  EXPECT_TRUE(warnings_.empty()) << warnings_;
}

TEST_F(VirtualPad, TheDPadAndTheTwoButtons) {
  plug_in();
  const std::pair<SDL_GameControllerButton, Presses> buttons[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {PadPress::left}},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, {PadPress::up}},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {PadPress::right}},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {PadPress::down}},
      {SDL_CONTROLLER_BUTTON_A, {PadPress::south}},
      {SDL_CONTROLLER_BUTTON_B, {PadPress::east}},
      {SDL_CONTROLLER_BUTTON_X, {}},
      {SDL_CONTROLLER_BUTTON_Y, {}},
      {SDL_CONTROLLER_BUTTON_START, {}},
  };
  // Each press is the button going down and up: letting go is no press.
  for (const auto& [button, presses] : buttons) EXPECT_EQ(press(button), presses) << button;
  // Held down, a button counts once.
  SDL_JoystickSetVirtualButton(joystick_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
  EXPECT_EQ(drain(), Presses{PadPress::right});
  EXPECT_EQ(drain(), Presses{});
  EXPECT_EQ(drain(), Presses{});
}

TEST_F(VirtualPad, TheStickPastAndWithinTheDeadZone) {
  plug_in();
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 10000), Presses{}) << "within the dead zone";
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 25000), Presses{PadPress::right});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 32767), Presses{}) << "still right";
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 20000), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 0), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, -32768), Presses{PadPress::up});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 0), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, -14000), Presses{PadPress::left});
  // Round to down without passing the rest position: a new direction counts.
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 3000), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, full), Presses{PadPress::down});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 0), Presses{});
  for (SDL_GameControllerAxis other :
       {SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT})
    EXPECT_EQ(push(other, full), Presses{}) << "axis " << other << " steers nothing";
}

TEST_F(VirtualPad, AStickHeldAsTheWindowLosesTheFocusDoesNotCountAgain) {
  plug_in();
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 30000), Presses{PadPress::down});
  controllers_->focus_lost();
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 32767), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, -full), Presses{}) << "still held since the focus went";
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, 0), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 0), Presses{});
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 30000), Presses{PadPress::down});
  // A stick at rest when the focus goes is not held back.
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTY, 0), Presses{});
  controllers_->focus_lost();
  EXPECT_EQ(push(SDL_CONTROLLER_AXIS_LEFTX, full), Presses{PadPress::right});
}

}  // namespace
}  // namespace glouton::platform
