#include "controls/ControlHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QtGlobal>

#include <climits>
#include <cstdlib>

#include "controls/ControlRegistry.h"

namespace {

std::string AbsolutePath(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved)) return resolved;
  return path;
}

} // namespace

ControlHost::ControlHost(QWidget* parent, const ControlServices& services)
    : parent_(parent), services_(services), searchDirectories_(DefaultSearchDirectories()),
      registryPath_(ControlRegistry::DefaultPath()) {}

ControlHost::~ControlHost() {
  // Control libraries stay loaded until the process ends: Qt keeps pointers into them (meta
  // objects, widgets being deleted later), so the ControlLibrary objects are released without
  // closing their handles.
  for (auto& [path, library] : libraries_)
    library.release();
}

void ControlHost::Log(const std::string& message) {
  lastError_ = message;
  if (logger_) {
    logger_(message);
  } else {
    qWarning("control host: %s", message.c_str());
  }
}

bool ControlHost::RegisterBuiltIn(const std::string& clsid, const std::string& name,
                                  CreateFunction create) {
  if (!ControlRegistry::IsClassId(clsid)) {
    Log("built-in control \"" + name + "\" refused: malformed class identifier \"" + clsid + "\"");
    return false;
  }
  const std::string key = ControlRegistry::NormalizeClassId(clsid);
  if (!create) {
    Log("built-in control \"" + name + "\" " + key + " refused: no create function");
    return false;
  }
  auto found = builtIns_.find(key);
  if (found != builtIns_.end()) {
    Log("built-in control \"" + name + "\" " + key +
        " refused: the class is already registered by \"" + found->second.name + "\"");
    return false;
  }
  builtIns_.emplace(key, BuiltIn{name, std::move(create)});
  return true;
}

bool ControlHost::HasBuiltIn(const std::string& clsid) const {
  return builtIns_.count(ControlRegistry::NormalizeClassId(clsid)) != 0;
}

std::unique_ptr<HostedControl> ControlHost::CreateControl(const std::string& clsid,
                                                          const Rect& rect, bool visible) {
  const std::string key = ControlRegistry::NormalizeClassId(clsid);
  // The controls rely on these without checking; a host made without them creates nothing.
  if (!services_.Complete()) {
    Log("the control of class " + key +
        " cannot be created: the host has no scheduler, local clock or prompts");
    return nullptr;
  }
  HostedControl* control = nullptr;
  auto builtIn = builtIns_.find(key);
  if (builtIn != builtIns_.end()) {
    control = builtIn->second.create(parent_, rect, visible, services_);
  } else if (const ControlLibrary* library = LibraryFor(key)) {
    control = library->GetClassObject(key, nullptr)->create(parent_, rect, visible, services_);
  } else {
    Log("no control library provides class " + key);
    return nullptr;
  }
  if (!control) Log("the control of class " + key + " could not be created");
  return std::unique_ptr<HostedControl>(control);
}

const ControlLibrary* ControlHost::LoadLibrary(const std::string& path) {
  const std::string absolute = AbsolutePath(path);
  auto loaded = libraries_.find(absolute);
  if (loaded != libraries_.end()) return loaded->second.get();
  auto refused = refused_.find(absolute);
  if (refused != refused_.end()) {
    lastError_ = refused->second; // logged once already
    return nullptr;
  }
  std::string error;
  std::unique_ptr<ControlLibrary> library = ControlLibrary::Load(absolute, &error);
  if (!library) {
    refused_[absolute] = error;
    Log(error);
    return nullptr;
  }
  return (libraries_[absolute] = std::move(library)).get();
}

const ControlLibrary* ControlHost::LibraryFor(const std::string& clsid) {
  const std::string key = ControlRegistry::NormalizeClassId(clsid);
  // The registered library first: a user may have registered a newer build elsewhere.
  if (std::optional<std::string> registered = ControlRegistry(registryPath_).LibraryOf(key)) {
    if (const ControlLibrary* library = LoadLibrary(*registered)) {
      std::string error;
      if (library->GetClassObject(key, &error)) return library;
      Log(error);
    }
  }
  // Then every library already loaded and every library beside the executable.
  for (auto& [path, library] : libraries_) {
    if (library->GetClassObject(key, nullptr)) return library.get();
  }
  for (const std::string& directory : searchDirectories_) {
    const QDir dir(QString::fromStdString(directory));
    const QStringList files =
        dir.entryList({QStringLiteral("libzyntra-*.so")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
      const ControlLibrary* library = LoadLibrary(dir.absoluteFilePath(file).toStdString());
      if (library && library->GetClassObject(key, nullptr)) return library;
    }
  }
  return nullptr;
}

std::vector<std::string> ControlHost::DefaultSearchDirectories() {
  const QString bin = QCoreApplication::applicationDirPath();
  return {bin.toStdString(), QDir::cleanPath(bin + QStringLiteral("/../lib/zyntra")).toStdString()};
}

void ControlHost::SetSearchDirectories(std::vector<std::string> directories) {
  searchDirectories_ = std::move(directories);
}

void ControlHost::SetRegistryPath(std::string path) { registryPath_ = std::move(path); }

void ControlHost::SetLogger(Logger logger) { logger_ = std::move(logger); }
