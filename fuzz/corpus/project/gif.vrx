<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="1" labelCount="0" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Gif Name="Gif1" Type="126">
<FileName>动画.gif</FileName>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>2</actionStyle>
<X>-30</X>
<Y>-10</Y>
<W>200</W>
<H>100</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Gif>
</Frame>
</Screen>
</VRX>
