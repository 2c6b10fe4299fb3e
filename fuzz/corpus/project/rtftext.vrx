<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="1" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<RtfText Name="RTF1" Type="138">
<FileName>通知.rtf</FileName>
<InStyle>左移</InStyle>
<DelayTime>5</DelayTime>
<OutStyle>上移</OutStyle>
<PlaySpeed>3</PlaySpeed>
<LoopPlay>False</LoopPlay>
<Loops>1</Loops>
<Color>10092543</Color>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>0</actionStyle>
<X>10</X>
<Y>10</Y>
<W>70</W>
<H>70</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>19</outStyle>
<outSpeed>5</outSpeed>
</RtfText>
</Frame>
</Screen>
</VRX>
