#include "model/ObjectKinds.h"

#include <array>

#include "controls/AniGif.h"
#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "controls/ShockwaveFlash.h"

namespace {

using NC = NamingCounters;

const std::array<KindInfo, 10> kKinds = {{
    {ObjectKind::Screen, "Screen", nullptr, 0, nullptr, nullptr, nullptr},
    {ObjectKind::Frame, "Frame", "Page", 1, &NC::frameCount, nullptr, nullptr},
    {ObjectKind::Picture, "Picture", "Image", 3, &NC::effectBoxCount, C_EffectBox::kClassId,
     &WrapControl<C_EffectBox>},
    {ObjectKind::Clock, "Clock", "Timer", 4, &NC::clockCount, C_Clock::kClassId,
     &WrapControl<C_Clock>},
    {ObjectKind::Movie, "Movie", "Video", 5, &NC::mPlayerCount, C_MPlayer::kClassId,
     &WrapControl<C_MPlayer>},
    {ObjectKind::Flash, "Flash", "Flash", 6, &NC::flashCount, C_ShockwaveFlash::kClassId,
     &WrapControl<C_ShockwaveFlash>},
    {ObjectKind::Gif, "Gif", "Gif", 7, &NC::gifCount, C_AniGif::kClassId, &WrapControl<C_AniGif>},
    {ObjectKind::Exe, "Exe", "Program", 8, &NC::exeCount, C_DoExe::kClassId, &WrapControl<C_DoExe>},
    {ObjectKind::Label, "Label", "Text", 2, &NC::labelCount, C_Glasso::kClassId,
     &WrapControl<C_Glasso>},
    {ObjectKind::RtfText, "RtfText", "RTF", 7, &NC::proTextCount, C_RtfText::kClassId,
     &WrapControl<C_RtfText>},
}};

} // namespace

std::span<const KindInfo> AllKinds() { return kKinds; }

const KindInfo* FindKind(ObjectKind kind) {
  for (const KindInfo& k : kKinds)
    if (k.kind == kind) return &k;
  return nullptr;
}

const KindInfo* FindKindByElement(std::string_view element) {
  for (const KindInfo& k : kKinds)
    if (element == k.element) return &k;
  return nullptr;
}
