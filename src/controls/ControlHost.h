#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlFactory.h"
#include "controls/ControlLibrary.h"
#include "controls/ControlServices.h"

class QWidget;

/// Creates hosted controls by class identifier as children of one parent widget (the screen
/// window). Three sources answer a class identifier, in this order:
///  1. built-in controls registered in code with RegisterBuiltIn;
///  2. the library recorded for it in controls.ini (see ControlRegistry);
///  3. the control libraries beside the executable: files named libzyntra-*.so in the
///     executable's folder (the build tree) and in ../lib/zyntra from it (the install tree).
/// A library is loaded once and kept; a missing library, a missing entry point or another ABI
/// version is refused with a logged reason and the next source is tried. Every control, from
/// whichever source, is created with the services the host was given. Nothing here throws.
class ControlHost : public ControlFactory {
public:
  /// Makes a control as a child of `parent` at `rect`, shown or hidden, working through
  /// `services`; the caller owns it.
  using CreateFunction = std::function<HostedControl*(
      QWidget* parent, const Rect& rect, bool visible, const ControlServices& services)>;
  /// Receives one line per refusal or failure.
  using Logger = std::function<void(const std::string& message)>;

  /// A host whose controls become children of `parent` and work through `services` (which
  /// must outlive them); reads the default controls.ini and searches DefaultSearchDirectories().
  ControlHost(QWidget* parent, const ControlServices& services);
  ~ControlHost() override;

  /// Registers a built-in control. False, with a logged reason, for a malformed or duplicate
  /// class identifier or an empty create function.
  bool RegisterBuiltIn(const std::string& clsid, const std::string& name, CreateFunction create);
  /// True when a built-in control of that class identifier is registered.
  bool HasBuiltIn(const std::string& clsid) const;

  /// Creates the control of class `clsid`; null, with a logged reason, when no source has it
  /// or the host's services lack a scheduler, a clock or prompts.
  std::unique_ptr<HostedControl> CreateControl(const std::string& clsid, const Rect& rect,
                                               bool visible) override;

  /// Loads and checks one control library (once per path); null, with a logged reason, when it
  /// is refused. The host keeps it.
  const ControlLibrary* LoadLibrary(const std::string& path);
  /// The library that answers `clsid`, sought in sources 2 and 3 in their order (libraries
  /// loaded already before the search folders); null when none does. Refusals are logged.
  const ControlLibrary* LibraryFor(const std::string& clsid);

  /// The executable's folder and ../lib/zyntra beside it.
  static std::vector<std::string> DefaultSearchDirectories();
  /// Replaces the folders searched for libzyntra-*.so.
  void SetSearchDirectories(std::vector<std::string> directories);
  /// Reads registrations from another file than the user's controls.ini.
  void SetRegistryPath(std::string path);
  /// Sends refusals somewhere else than the Qt warning log.
  void SetLogger(Logger logger);
  /// The last logged reason; empty until something was refused.
  const std::string& LastError() const { return lastError_; }
  /// The services every control of this host is created with.
  const ControlServices& Services() const { return services_; }

private:
  struct BuiltIn {
    std::string name;
    CreateFunction create;
  };
  void Log(const std::string& message);

  QWidget* parent_;
  ControlServices services_;
  std::map<std::string, BuiltIn> builtIns_;
  std::map<std::string, std::unique_ptr<ControlLibrary>> libraries_; // by absolute path
  std::map<std::string, std::string> refused_;                       // path → reason
  std::vector<std::string> searchDirectories_;
  std::string registryPath_;
  Logger logger_;
  std::string lastError_;
};
