// The project reader: any bytes as a ".vrx" file, opened by the document with in-memory
// controls over a project that already holds objects. A file that opens is saved and opened
// again; a file that does not leaves the old project as it was.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "support/TestProject.h"

int FuzzProject(const uint8_t* data, size_t size) {
  const std::string path = WriteFuzzFile("in.vrx", AsText(data, size));
  TestProject project;
  project.Object(ObjectKind::Label, Rect{10, 10, 110, 60});
  project.Object(ObjectKind::Exe, Rect{0, 0, 20, 20});
  const size_t before = project.factory.LiveCount();

  if (!project.doc.OpenDocument(path)) {
    FuzzCheck(project.prompts.messages.size() == 1, "a refused file is reported once");
    FuzzCheck(project.factory.LiveCount() == before, "a refused file keeps the project");
    FuzzCheck(project.doc.Path().empty(), "a refused file keeps the path");
    return 0;
  }
  FuzzCheck(project.prompts.messages.empty(), "an opened file shows no message");
  const std::string saved = FuzzTempPath("saved.vrx");
  FuzzCheck(project.doc.SaveTo(saved), "an opened project can be saved");
  TestProject reopened;
  FuzzCheck(reopened.doc.OpenDocument(saved), "a saved project opens again");
  FuzzCheck(reopened.factory.LiveCount() == project.factory.LiveCount(),
            "a saved project opens with as many controls");
  return 0;
}
