<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" proTextCount="0" effectBoxCount="0" clockCount="0" mPlayerCount="0" flashCount="0" gifCount="0" labelCount="1" exeCount="0" X="0" Y="0" W="1024" H="768" Name="同步屏播放系统" Type="-1">
<Frame TTL_Kind="0" seconds="5" ybPlay="False" bg="0" BgPicture="" Name="Page1" Type="-2">
<Label Name="Text1" Type="131">
<Caption>价格&lt;10元 &amp; 送礼 &quot;好&quot; &apos;x&apos; &gt; 𠀀😀 &amp;copy; &nbsp;</Caption>
<Color>65280</Color>
<BgColor>0</BgColor>
<BorderColor>255</BorderColor>
<Align>1</Align>
<Transparent>1</Transparent>
<Border>0</Border>
<Font>
<Name>黑体</Name>
<Size>200000</Size>
<Charset>134</Charset>
<Italic>False</Italic>
<Strikethrough>False</Strikethrough>
<Underline>False</Underline>
<Bold>True</Bold>
<Weight >700</Weight >
</Font>
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
</Label>
</Frame>
</Screen>
</VRX>
