<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="2" proTextCount="0" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="100" Y="50" W="800" H="600" Name="同步屏播放系统" Type="-1"/>
</VRX>
