#pragma once

#include <QPointer>

#include <memory>
#include <string>

#include "console/ConsolePlayer.h"

class CapturingPrompts;
class ConsoleServer;
class ConsoleService;
class CZyntraScr;

/// The web console on the running program: the console's player on the screen window, which
/// runs each command through the entry points of the program's own menu and tool bar (the page
/// list's play, stop and test commands, the document's open as on the command line, the task
/// list window), with the prompts quiet meanwhile; and the proof of play, fed by the playback's
/// page observer.
class ConsoleLink : public ConsolePlayer {
public:
  /// Starts the console on "[ADDR:]PORT" for the screen window (after its initialisation). The
  /// shows folder is the setting [Console] Shows (relative to the working folder), else
  /// "shows"; the proof of play goes to the working folder. Null, with the reason on standard
  /// error, when the address is wrong, no token can be had, or nothing can listen there.
  static std::unique_ptr<ConsoleLink> Start(CZyntraScr& screen, CapturingPrompts& prompts,
                                            const std::string& listen);
  /// Stops listening and leaves the playback's observer.
  ~ConsoleLink() override;

  ConsoleStatus Status() override;
  ConsoleOutcome Play() override;
  ConsoleOutcome Stop() override;
  ConsoleOutcome Test() override;
  ConsoleOutcome Open(const std::string& path, bool discardChanges) override;
  std::string ScreenPng() override;

private:
  ConsoleLink(CZyntraScr& screen, CapturingPrompts& prompts);
  ConsoleOutcome Command(int id);
  bool Playing() const;

  QPointer<CZyntraScr> screen_;
  CapturingPrompts& prompts_;
  std::unique_ptr<ConsoleService> service_;
  std::unique_ptr<ConsoleServer> server_;
  int32_t pass_ = 0;
  bool test_ = false;
};
