#include "platform/controllers.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace glouton::platform {

StickDirection stick_direction(int x, int y) {
  const int ax = std::abs(x), ay = std::abs(y);
  if (ax < stick_dead_zone && ay < stick_dead_zone) return StickDirection::none;
  if (ay >= ax) return y < 0 ? StickDirection::up : StickDirection::down;
  return x < 0 ? StickDirection::left : StickDirection::right;
}

namespace {

std::optional<PadPress> press_of_button(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadPress::left;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadPress::up;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadPress::right;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadPress::down;
    case SDL_CONTROLLER_BUTTON_A:
      return PadPress::south;
    case SDL_CONTROLLER_BUTTON_B:
      return PadPress::east;
    default:
      return std::nullopt;
  }
}

std::optional<PadPress> press_of_direction(StickDirection d) {
  switch (d) {
    case StickDirection::left:
      return PadPress::left;
    case StickDirection::up:
      return PadPress::up;
    case StickDirection::right:
      return PadPress::right;
    case StickDirection::down:
      return PadPress::down;
    case StickDirection::none:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PadPress> PadMapping::handle(const SDL_Event& e) {
  if (e.type == SDL_CONTROLLERBUTTONDOWN) return press_of_button(e.cbutton.button);
  if (e.type != SDL_CONTROLLERAXISMOTION) return std::nullopt;
  if (e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX && e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY)
    return std::nullopt;
  Stick& stick = sticks_[e.caxis.which];
  (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? stick.x : stick.y) = e.caxis.value;
  const StickDirection now = stick_direction(stick.x, stick.y);
  if (now == StickDirection::none) stick.spent = false;
  if (now == stick.direction) return std::nullopt;
  stick.direction = now;
  if (stick.spent) return std::nullopt;
  return press_of_direction(now);
}

void PadMapping::focus_lost() {
  for (auto& [pad, stick] : sticks_) stick.spent = stick.direction != StickDirection::none;
}

Controllers::Controllers(const Warn& warn) : warn_(warn) {
  // The controllers already plugged in come as "added" events too, with the first pump.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    warn_(std::string("no game controller support (") + SDL_GetError() +
          "): the game plays on the keyboard");
    return;
  }
  started_ = true;
}

Controllers::~Controllers() {
  for (auto& [pad, controller] : open_) SDL_GameControllerClose(controller);
  open_.clear();
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Controllers::open(int device_index) {
  const SDL_JoystickID pad = SDL_JoystickGetDeviceInstanceID(device_index);
  if (pad < 0 || open_.count(pad) != 0) return;
  SDL_GameController* controller = SDL_GameControllerOpen(device_index);
  if (!controller) {
    warn_(std::string("cannot open a game controller (") + SDL_GetError() + ")");
    return;
  }
  open_[pad] = controller;
}

void Controllers::close(SDL_JoystickID pad) {
  const auto found = open_.find(pad);
  if (found == open_.end()) return;
  SDL_GameControllerClose(found->second);
  open_.erase(found);
  mapping_.forget(pad);
}

int Controllers::wait_limit(int timeout) const {
  if (!started_) return timeout;
  return timeout < 0 || timeout > hotplug_check_ms ? hotplug_check_ms : timeout;
}

std::optional<PadPress> Controllers::handle(const SDL_Event& e) {
  if (!started_) return std::nullopt;
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      open(e.cdevice.which);  // a device index here
      return std::nullopt;
    case SDL_CONTROLLERDEVICEREMOVED:
      close(e.cdevice.which);  // an instance id here
      return std::nullopt;
    case SDL_CONTROLLERBUTTONDOWN:
      if (open_.count(e.cbutton.which) == 0) return std::nullopt;
      return mapping_.handle(e);
    case SDL_CONTROLLERAXISMOTION:
      if (open_.count(e.caxis.which) == 0) return std::nullopt;
      return mapping_.handle(e);
    default:
      return std::nullopt;
  }
}

}  // namespace glouton::platform
