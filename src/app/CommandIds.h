#pragma once

// Command identifiers. Menus, buttons and windows pass commands by these numbers; every QAction
// carries its number in data().

#include "model/ArrangeCodes.h" // the ArrangeObject codes, cmd::Arrange

namespace cmd {

// Tool bar window: button strip.
enum ToolBarButton : int {
  Select = 139,
  RtfTool = 140,
  PictureTool = 141,
  ClockTool = 142,
  MovieTool = 143,
  FlashTool = 144,
  GifTool = 145, // no button carries it
  TextTool = 146,
  ProgramTool = 147,
  NewButton = 148,
  OpenButton = 149,
  SaveButton = 150,
  PlayButton = 151,
  TestButton = 152,
  OptionsButton = 153,
  AboutButton = 178,
  FirstButton = 139,
  LastButton = 178,
};

// Main menu.
enum Menu : int {
  FileNew = 32820,
  FileOpen = 32786,
  FileSave = 32787,
  FileSaveAs = 32788,
  Exit = 32817,
  PlayShow = 32860,
  TestPage = 32861,
  NewText = 32851,
  NewPicture = 32852,
  NewClock = 32853,
  NewMovie = 32854,
  NewRtf = 32855,
  NewFlash = 32856,
  NewProgram = 32857,
  DeleteObject = 32829,
  Undo = 32868,
  Redo = 32869,
  AlignTop = 32863,
  AlignBottom = 32864,
  AlignLeft = 32865,
  AlignRight = 32866,
  Centre = 32862,
  FullScreen = 32867,
  PlayControl = 32839,
  Options = 32831,
  HelpContents = 32858,
  About = 32830,
};

// Page list commands.
enum PageList : int {
  NewPage = 4102,
  Delete = 4103,
  MoveUp = 4104,
  MoveDown = 4105,
  Play = 4106,
  Stop = 4107,
  Freeze = 4108,
  Properties = 4109,
  FullScreenToggle = 4110,
  ObjectHideShow = 154,
  ObjectFreeze = 155,
  ObjectDelete = 156,
  ObjectProperties = 157,
  ObjectTestPage = 158,
};

// Screen window (surface) commands.
enum Surface : int {
  SurfaceTest = 111,
  SurfaceExit = 112,
  SurfaceDelete = 114,
  SurfaceHideShow = 115,
  SurfaceFreeze = 116,
  SurfaceProperties = 117,
  SurfacePlay = 118,
  SurfaceStop = 119,
  SurfaceFullScreen = 176,
  ScreenPropertyKind = 120,
};

// Standard dialog commands.
enum Dialog : int { IdOk = 1, IdCancel = 2 };

} // namespace cmd
