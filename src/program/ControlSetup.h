#pragma once

#include <memory>

class ControlHost;
class QWidget;
struct ControlServices;

/// The control host of the program and of the headless tools: the built-in controls (picture
/// effect, GIF, launcher, movie, RTF text), then the control libraries (clock, Glasso, Flash)
/// found through the host, and the Flash stand-in where no player loads. Controls become
/// children of `screen` and work through `services`.
std::unique_ptr<ControlHost> MakeControlHost(QWidget* screen, const ControlServices& services);
