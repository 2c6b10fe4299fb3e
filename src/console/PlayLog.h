#pragma once

#include <cstdint>
#include <string>
#include <vector>

class LocalClock;

/// One line of the proof of play: a page that started or ended on the wall.
struct PlayRecord {
  std::string time;    ///< local time "YYYY-MM-DD HH:MM:SS"
  std::string event;   ///< "start" or "end"
  std::string mode;    ///< "play" (the show) or "test" (one page)
  std::string project; ///< the project's file ("" for an untitled one)
  std::string page;    ///< the page's name
  int32_t pass = 0;    ///< 1 for the first pass over the pages (a test counts its rounds)
  std::string ended;   ///< for an end: "finished" (its time ran out) or "stopped"; else ""

  friend bool operator==(const PlayRecord&, const PlayRecord&) = default;
};

/// The proof of play: one file a day, "play-log-YYYY-MM-DD.tsv" in a folder, one record per
/// line, its fields in the order of PlayRecord separated by tabs (tabs and line breaks inside a
/// field become spaces), lines ending in LF. Records are appended, so the file of a day holds
/// every run of the program on that day.
class PlayLog {
public:
  /// A log in `folder`, stamped with the local time of `clock`.
  PlayLog(std::string folder, const LocalClock& clock);

  /// Stamps the record with the time now and appends it to the file of today. False when the
  /// file cannot be written (the record is then lost).
  bool Append(PlayRecord record);
  /// Today's date "YYYY-MM-DD".
  std::string Today() const;
  /// The file of a day.
  std::string FileOf(const std::string& date) const;
  /// The records of a day, oldest first (at most the last 20000); lines that are no record are
  /// skipped; empty when the day has no file.
  std::vector<PlayRecord> ReadDay(const std::string& date) const;

  /// True for a date written "YYYY-MM-DD" with a month 01–12 and a day 01–31.
  static bool IsDate(const std::string& text);
  /// A record's line, without its line end.
  static std::string Line(const PlayRecord& record);
  /// The records as a JSON array of objects with the keys of PlayRecord.
  static std::string Json(const std::vector<PlayRecord>& records);

private:
  std::string folder_;
  const LocalClock& clock_;
};
