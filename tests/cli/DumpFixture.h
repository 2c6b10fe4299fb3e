#pragma once

// The JSON of data/dump.vrx, written by hand from the file: screen attributes, pages under
// "Frames", objects under "Objects" with their common elements, kind elements under "Props";
// "Item" always a list, groups as objects, every value the file's text.
inline constexpr const char* kDumpJson =
    R"({"frameCount":"2","proTextCount":"0","effectBoxCount":"1","clockCount":"0",)"
    R"("mPlayerCount":"0","flashCount":"0","gifCount":"0","labelCount":"1","exeCount":"0",)"
    R"("X":"0","Y":"0","W":"320","H":"200","Name":"同步屏播放系统","Type":"-1","Frames":[)"
    R"({"TTL_Kind":"1","seconds":"3","ybPlay":"True","bg":"128","BgPicture":"","Name":"Page1",)"
    R"("Type":"-2","Objects":[)"
    R"({"Name":"Text1","Type":"131","reserve":"False","topmost":"True","actionStyle":"1",)"
    R"("X":"10","Y":"20","W":"100","H":"40","preInDelay":"0","preOutDelay":"0","inStyle":"4",)"
    R"("inSpeed":"10","delayTime":"1","outStyle":"0","outSpeed":"0","Props":{)"
    R"("Caption":"欢迎 \"光临\" C:\\show","Color":"65280",)"
    R"("Font":{"Name":"黑体","Size":"200000","Bold":"True"}}},)"
    R"({"Name":"Image1","Type":"122","reserve":"True","topmost":"False","actionStyle":"0",)"
    R"("X":"150","Y":"20","W":"80","H":"60","preInDelay":"0","preOutDelay":"0","inStyle":"0",)"
    R"("inSpeed":"0","delayTime":"0","outStyle":"0","outSpeed":"0","Props":{"Item":[)"
    R"({"Source":"图片/一.png","Effect":"无效果","Speed":"5","Delay":"3"},)"
    R"({"Source":"b.png","Effect":"水平放大","Speed":"10","Delay":"0"}],)"
    R"("LoopPlay":"False","Loops":"1"}}]},)"
    R"({"TTL_Kind":"0","seconds":"5","ybPlay":"False","bg":"0","BgPicture":"","Name":"Page2",)"
    R"("Type":"-2","Objects":[]}]})";
