// What an SDL window costs on its own, with nothing of the game: the same
// software renderer and audio output as the game's window, woken every
// PERIOD ms and presented each time, for SECONDS. window_bench.py measures
// its CPU beside the game's, so that a figure says how much is the game's.
//
//     sdl_floor PERIOD SECONDS
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sdl_floor PERIOD_MS SECONDS\n");
    return 2;
  }
  const int period = std::atoi(argv[1]);
  const Uint64 seconds = static_cast<Uint64>(std::atoi(argv[2]));
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "sdl_floor: %s\n", SDL_GetError());
    return 1;
  }
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0)
    std::fprintf(stderr, "sdl_floor: no audio output (%s)\n", Mix_GetError());
  SDL_Window* window =
      SDL_CreateWindow("sdl_floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 644, 448, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "sdl_floor: %s\n", SDL_GetError());
    return 1;
  }
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  std::puts("ready");
  std::fflush(stdout);
  const Uint64 end = SDL_GetTicks64() + seconds * 1000;
  while (SDL_GetTicks64() < end) {
    SDL_WaitEventTimeout(nullptr, period);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    SDL_RenderPresent(renderer);
  }
  Mix_CloseAudio();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
