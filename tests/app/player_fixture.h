#pragma once
// A main window over the test's own installation with the real player control: the
// control module and the engine modules registered in the test's registry, and, when
// the test installs them, the engines' files in its system folder. Message boxes are
// answered by the script and the shell's "open" is recorded.
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "tests/app/window_fixture.h"

class TfrmPlay;

class PlayerTest : public MainWindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts the engines' files into the system folder: the control then plays. Without
  // them its first play reports error 1 (Windows Media Player) and 0 (RealPlayer).
  void InstallEngines();
  // Takes the control's class out of the registry: creating it fails as on a machine
  // where it was never registered.
  void UnregisterControl();

  // Runs the event loop until done() holds or ms pass.
  static bool WaitFor(const std::function<bool()>& done, int ms = 30000);
  // Waits until the window's status text is the control's "Playing ...".
  static bool WaitPlaying(const TfrmPlay& window);
  // The texts of the message boxes shown so far.
  std::vector<std::string> Texts() const;

  qshell::Recorder shell;

 private:
  std::unique_ptr<qshell::ScopedOpener> opener_;
};
