<html>
<head><meta charset="utf-8"><title>Arvendel 游戏</title></head>
<body>
<h1>Arvendel</h1>
<p>你已进入游戏世界。这是演示用的游戏页面：真正的游戏客户端会在这里运行。</p>
<p>按 F5 刷新页面。</p>
<a href="index.php?a=map">世界地图</a>
</body>
</html>
