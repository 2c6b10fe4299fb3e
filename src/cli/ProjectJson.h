#pragma once

#include <string>

/// Turns the text of a project file (UTF-8) into JSON: the screen's attributes at the top, its
/// pages under "Frames", each page's objects under "Objects". An object keeps "Name", "Type"
/// and its common elements (reserve … outSpeed) as keys; its kind's elements go under "Props",
/// list elements ("Item") always as arrays, other repeated elements as arrays of their
/// occurrences, groups ("Font", "Item") as objects. Every value is the file's text, as a JSON
/// string. False when the text is not a project (no "VRX" element with a "Screen" in it).
bool ProjectToJson(std::string text, std::string& json);

/// Escapes a string for JSON (quotes included).
std::string JsonString(const std::string& s);
