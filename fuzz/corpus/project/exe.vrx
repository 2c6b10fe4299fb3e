<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="1" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Exe Name="Program1" Type="128">
<Item>
<Name>/usr/bin/xclock</Name>
<Para>-digital -update 1</Para>
</Item>
<Item>
<Name>notepad.exe</Name>
<Para/>
</Item>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>0</actionStyle>
<X>10</X>
<Y>10</Y>
<W>32</W>
<H>32</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Exe>
</Frame>
</Screen>
</VRX>
