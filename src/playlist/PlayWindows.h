#pragma once

#include <cstdint>
#include <string>

struct ShowNode;

/// What playback needs of the windows around it: the screen window (the play surface, its
/// playing flag, selection and background) and the tool windows. The page list implements it
/// with its screen window and tool bar; tests record the calls.
class PlayWindows {
public:
  virtual ~PlayWindows() = default;
  /// Hides (false) the tool bar window, the page list window and the screen window's property
  /// window if it is open, or shows the three again (true).
  virtual void ShowToolWindows(bool show) = 0;
  /// The screen window drops its selection.
  virtual void DropSelection() = 0;
  /// Sets or clears the screen window's playing flag.
  virtual void SetPlaying(bool playing) = 0;
  /// Sets the screen window's background colour (0x00BBGGRR) and repaints it.
  virtual void SetBackground(int32_t colour) = 0;
  /// Repaints the screen window.
  virtual void Repaint() = 0;
  /// Shows a page for design: its background colour, its objects shown and raised to the top.
  virtual void ShowPageForDesign(ShowNode& page) = 0;
  /// Width of the screen window (the play surface), pixels.
  virtual int32_t ScreenWidth() const = 0;
  /// Height of the screen window (the play surface), pixels.
  virtual int32_t ScreenHeight() const = 0;
  /// The program title (setting "WndTitle"), the caption of playback's messages.
  virtual std::string ProgramTitle() const = 0;
};
