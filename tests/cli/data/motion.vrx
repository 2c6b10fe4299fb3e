<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="1" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="0" Y="0" W="320" H="200" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="1" seconds="10" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Picture Name="Image1" Type="122">
<LoopPlay>False</LoopPlay>
<Loops>1</Loops>
<Color>65280</Color>
<BgPicture/>
<Stretch>False</Stretch>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>1</actionStyle>
<X>100</X>
<Y>80</Y>
<W>100</W>
<H>40</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>4</inStyle>
<inSpeed>10</inSpeed>
<delayTime>1</delayTime>
<outStyle>3</outStyle>
<outSpeed>10</outSpeed>
</Picture>
</Frame>
</Screen>
</VRX>
