#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// Character formatting of a run of rich text.
struct RtfCharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int halfPoints = 24;                ///< font size in half-points, as RTF counts it
  std::string fontName;               ///< from the font table; "" when the text names none
  std::optional<uint32_t> color;      ///< text colour 0x00BBGGRR; none means automatic
  std::optional<uint32_t> background; ///< background colour 0x00BBGGRR; none means transparent
  friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

/// A stretch of text in one format. The UTF-8 text holds '\t' for tabs and '\n' for line
/// breaks inside the paragraph.
struct RtfRun {
  std::string text;
  RtfCharFormat format;
  friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

/// Horizontal alignment of a paragraph.
enum class RtfAlign { Left, Center, Right, Justify };

/// One paragraph: its runs in order.
struct RtfParagraph {
  std::vector<RtfRun> runs;
  RtfAlign align = RtfAlign::Left;
  /// The text of all runs.
  std::string Text() const {
    std::string text;
    for (const RtfRun& run : runs)
      text += run.text;
    return text;
  }
};

/// A rich text document as the RTF text control shows it.
struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  /// The paragraphs' texts joined by '\n'.
  std::string PlainText() const {
    std::string text;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
      if (i) text += '\n';
      text += paragraphs[i].Text();
    }
    return text;
  }
};
