<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="1" seconds="30" ybPlay="True" bg="255" BgPicture="背景/夜空.jpg" Name="Page1" Type="-2"/>
</Screen>
</VRX>
