<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen Name="€ÿ" Type="-1">
<Frame Name="Page1" Type="-2">
<Label Name="Text1" Type="131">
<Caption>¡ÿ€Í</Caption>
</Label>
</Frame>
</Screen>
</VRX>
