<?xml version="1.0" encoding="GB2312" standalone="yes"?>
<VRX>
<Screen frameCount="1" X="0" Y="0" W="3