<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="0" clockCount="3" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="0" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Clock Name="Timer3" Type="123">
<Style>2</Style>
<targetDate>38353.75</targetDate>
<preText>距春节还有</preText>
<lasText>天</lasText>
<m_rh>0</m_rh>
<m_rm>-5</m_rm>
<m_rs>30</m_rs>
<totalTime>60</totalTime>
<BgColor>9830400</BgColor>
<FgColor>65535</FgColor>
<BorderColor>255</BorderColor>
<Font>
<Name>宋体</Name>
<Size>12</Size>
<Italic>False</Italic>
<Strikethrough>False</Strikethrough>
<Underline>True</Underline>
<Bold>True</Bold>
</Font>
<reserve>True</reserve>
<topmost>True</topmost>
<actionStyle>1</actionStyle>
<X>100</X>
<Y>50</Y>
<W>300</W>
<H>80</H>
<preInDelay>100</preInDelay>
<preOutDelay>200</preOutDelay>
<inStyle>3</inStyle>
<inSpeed>10</inSpeed>
<delayTime>5</delayTime>
<outStyle>4</outStyle>
<outSpeed>20</outSpeed>
</Clock>
</Frame>
</Screen>
</VRX>
