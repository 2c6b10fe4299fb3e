<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="2" proTextCount="0" effectBoxCount="0" clockCount="1" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="1" exeCount="0" X="0" Y="0" W="320" H="200" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="8388608" BgPicture="" Name="Page1" Type="-2">
<Clock Name="Timer1" Type="123">
<Style>4</Style>
<targetDate>0</targetDate>
<preText></preText>
<lasText></lasText>
<m_rh>0</m_rh>
<m_rm>0</m_rm>
<m_rs>0</m_rs>
<totalTime>60</totalTime>
<BgColor>8388608</BgColor>
<FgColor>65535</FgColor>
<BorderColor>255</BorderColor>
<Font>
<Name>宋体</Name>
<Size>28</Size>
<Italic>False</Italic>
<Strikethrough>False</Strikethrough>
<Underline>False</Underline>
<Bold>True</Bold>
</Font>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>0</actionStyle>
<X>20</X>
<Y>60</Y>
<W>280</W>
<H>80</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Clock>
</Frame>
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="32768" BgPicture="" Name="Page2" Type="-2">
<Label Name="Text1" Type="131">
<Caption>欢迎光临</Caption>
<Color>65535</Color>
<BgColor>32768</BgColor>
<BorderColor>255</BorderColor>
<Align>1</Align>
<Transparent>1</Transparent>
<Border>0</Border>
<Font>
<Name>黑体</Name>
<Size>200000</Size>
<Charset>1</Charset>
<Italic>False</Italic>
<Strikethrough>False</Strikethrough>
<Underline>False</Underline>
<Bold>True</Bold>
<Weight >700</Weight >
</Font>
<reserve>False</reserve>
<topmost>False</topmost>
<actionStyle>0</actionStyle>
<X>20</X>
<Y>10</Y>
<W>280</W>
<H>40</H>
<preInDelay>0</preInDelay>
<preOutDelay>0</preOutDelay>
<inStyle>0</inStyle>
<inSpeed>0</inSpeed>
<delayTime>0</delayTime>
<outStyle>0</outStyle>
<outSpeed>0</outSpeed>
</Label>
</Frame>
</Screen>
</VRX>
