#pragma once
// The edge between the event loop and the window's handlers: no exception crosses it.

#include <exception>
#include <iostream>
#include <string_view>

namespace moji {

/// Runs one event handler's body. An exception ends the body where it was thrown, is written
/// to standard error as one line, and goes no further: whatever the body had done stays done
/// and the window keeps running.
template <typename Body>
void RunHandler(std::string_view handler, Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& error) {
    std::cerr << "moji-outline: " << handler << ": " << error.what() << '\n';
  } catch (...) {
    std::cerr << "moji-outline: " << handler << ": unknown error\n";
  }
}

}  // namespace moji
