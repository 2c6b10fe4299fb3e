#pragma once

struct ShowNode;

/// A modeless property window of an object kind or of the screen (kind code 120). The screen
/// window creates it and fills it with SetObject; edits apply at once to the live control or
/// record.
class PropertyWindow {
public:
  virtual ~PropertyWindow() = default;
  /// Binds the window to a node (an object, or the current page for the screen window) and
  /// shows its values.
  virtual void SetObject(ShowNode* node) = 0;
};
