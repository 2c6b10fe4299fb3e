<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="2" proTextCount="0" effectBoxCount="1" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="1" exeCount="0" X="0" Y="0" W="320" H="200" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="1" seconds="3" ybPlay="True" bg="128" BgPicture="" Name="Page1" Type="-2">
<Label Name="Text1" Type="131">
<Caption>欢迎 "光临" C:\show</Caption>
<Color>65280</Color>
<Font>
<Name>黑体</Name>
<Size>200000</Size>
<Bold>True</Bold>
</Font>
<reserve>False</reserve>
<topmost>True</topmost>
<actionStyle>1</actionStyle>
<X>10</X>
<Y>20</Y>
<W>100</W>
<H>40</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>4</inStyle>
<inSpeed>10</inSpeed>
<delayTime>1</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Label>
<Picture Name="Image1" Type="122">
<Item>
<Source>图片/一.png</Source>
<Effect>无效果</Effect>
<Speed>5</Speed>
<Delay>3</Delay>
</Item>
<Item>
<Source>b.png</Source>
<Effect>水平放大</Effect>
<Speed>10</Speed>
<Delay>0</Delay>
</Item>
<LoopPlay>False</LoopPlay>
<Loops>1</Loops>
<reserve>True</reserve>
<topmost>False</topmost>
<actionStyle>0</actionStyle>
<X>150</X>
<Y>20</Y>
<W>80</W>
<H>60</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Picture>
</Frame>
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page2" Type="-2">
</Frame>
</Screen>
</VRX>
