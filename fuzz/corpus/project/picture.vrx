<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="1" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Picture Name="Image1" Type="122">
<Item>
<Source>图片/春天.jpg</Source>
<Effect>无效果</Effect>
<Speed>5</Speed>
<Delay>3</Delay>
</Item>
<Item>
<Source>/home/show/b.png</Source>
<Effect>水平放大</Effect>
<Speed>10</Speed>
<Delay>0</Delay>
</Item>
<LoopPlay>False</LoopPlay>
<Loops>1</Loops>
<Color>16744576</Color>
<BgPicture/>
<Stretch>True</Stretch>
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
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Picture>
</Frame>
</Screen>
</VRX>
