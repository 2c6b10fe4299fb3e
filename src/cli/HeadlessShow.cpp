#include "cli/HeadlessShow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>

#include "app/AppServices.h"
#include "app/CommandIds.h"
#include "program/ControlSetup.h"
#include "app/ZyntraScr.h"
#include "controls/Clock.h"
#include "controls/ControlHost.h"
#include "base/AtomicFile.h"
#include "model/Markup.h"
#include "base/TextCodec.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "playlist/Playback.h"

namespace {

// The "Name" of the screen element (the first "Screen" in "VRX"), "" when there is none.
// Read off the text up to the end of the screen's start tag when that is enough, so that a
// large project is not indexed twice.
std::string ScreenName(const std::string& text) {
  auto nameIn = [](std::string document) {
    CMarkup probe;
    probe.SetDocument(std::move(document));
    if (!probe.FindElement("VRX") || !probe.FindChildElement("Screen")) return std::string();
    probe.IntoElement();
    return probe.GetAttribute("Name");
  };
  const size_t start = text.find("<Screen");
  char quote = 0;
  for (size_t at = start == std::string::npos ? text.size() : start; at < text.size(); ++at) {
    const char c = text[at];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      const bool closed = text[at - 1] == '/';
      const std::string head = text.substr(0, closed ? at + 1 : at) + (closed ? "" : "/>");
      if (std::string name = nameIn(head + "</VRX>"); !name.empty()) return name;
      break;
    }
  }
  return nameIn(text);
}

} // namespace

HeadlessShow::HeadlessShow(Prompts& prompts, double start) : clock_(scheduler_, start) {
  AppServices services;
  services.prompts = &prompts;
  services.scheduler = &scheduler_;
  services.clock = &clock_;
  // Every control of the stage, built-in or from a library, waits on the virtual time and
  // shows the stage's clock.
  services.makeControlFactory = [controls = services.ForControls()](QWidget* screen) {
    return MakeControlHost(screen, controls);
  };
  // Defaults only: no setup.ini of the user is read, and the one written at the end is thrown
  // away with the folder.
  services.settingsPath = settingsDir_.filePath(QStringLiteral("setup.ini")).toStdString();

  screen_ = std::make_unique<CZyntraScr>(std::move(services));
  screen_->Initialise();
}

// Every control goes with the screen window, and with it every pending tick, before the
// scheduler they waited on.
HeadlessShow::~HeadlessShow() { screen_.reset(); }

CZyntraDoc& HeadlessShow::Document() { return screen_->PageList()->Document(); }

bool HeadlessShow::Open(const std::string& path) {
  // The program names the screen after its title (WndTitle of setup.ini); the stage takes the
  // title from the file, so that a project comes back under its own name.
  std::string bytes;
  if (ReadFileBytes(path, bytes)) {
    const std::string title = ScreenName(DecodeFileText(bytes));
    if (!title.empty()) screen_->Config().WndTitle = title;
  }
  const bool opened = Document().OpenDocument(
      QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString());
  // What the program's event loop does right after an open (the new controls' polish and
  // layout requests) is done now, as it would be before anything else happens.
  QCoreApplication::sendPostedEvents();
  return opened;
}

ShowNode* HeadlessShow::Page(int index) const {
  ShowNode* root = screen_->PageList()->Document().Root();
  if (!root || index < 0) return nullptr;
  for (auto& child : root->children) {
    if (!child->IsPage()) continue;
    if (index-- == 0) return child.get();
  }
  return nullptr;
}

int HeadlessShow::PageCount() const {
  int count = 0;
  while (Page(count))
    ++count;
  return count;
}

bool HeadlessShow::ShowPage(int index) {
  ShowNode* page = Page(index);
  if (!page) return false;
  CDPlayList& pageList = *screen_->PageList();
  CZyntraDoc& doc = pageList.Document();
  ShowNode* current = doc.Current();
  if (current != page && current && current->IsPage()) pageList.ShowPageObjects(current, false);
  doc.SetCurrent(page);
  pageList.ShowPage(*page);
  return true;
}

void HeadlessShow::StartClocks(int index) {
  ShowNode* page = Page(index);
  if (!page) return;
  for (auto& object : page->children) {
    C_Clock* clock = object->ControlAs<C_Clock>();
    if (!clock) continue;
    const int16_t style = clock->GetStyle();
    if (style == 0 || style == 1) clock->Reset();
    clock->SetPlay(true);
  }
}

void HeadlessShow::Play() {
  // Play starts from the first page whichever is current, but needs a current page.
  if (!Document().Current() || !Document().Current()->IsPage()) ShowPage(0);
  // The page list's playback engine, as the play command reaches it.
  if (Playback* player = screen_->PageList()->Player()) player->OnCommand(cmd::Play);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void HeadlessShow::AdvanceTo(int64_t ms) {
  scheduler_.advanceTo(ms);
  // Deferred work the callbacks posted (layouts, deferred deletes) is done before a picture.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QImage HeadlessShow::Render() {
  CZyntraScr& screen = *screen_;
  QImage image(screen.size(), QImage::Format_RGB32);
  QPainter p(&image);
  screen.PaintSurface(p, false);
  // The children list is the stacking order, bottom first. The controls are rendered one by
  // one over the background; rendering the screen window itself would add its design grid.
  for (QObject* object : screen.children()) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget->isWindow() || widget->isHidden()) continue;
    widget->render(&p, widget->pos(), QRegion(), QWidget::DrawChildren);
  }
  return image;
}
