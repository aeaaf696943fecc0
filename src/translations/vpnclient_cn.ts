<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>隐藏密码</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>显示密码</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>清除搜索</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>发现新版本。
是否更新到版本 %1？</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开连接</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>将继续在后台运行</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>正在准备</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>正在断开...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>正在重新连接...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>错误！</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>OpenVPN 服务器为空！</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>错误：用户名或密码错误</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>服务器列表</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>收藏</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>收起</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>展开</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>未选择</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>收藏的服务器</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>最近使用的服务器</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>服务器列表</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>没有可显示的项目</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>服务器列表</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>推荐</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>最近</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>身份验证</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>已更新</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>账户 ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>紧急断开开关</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>启用网络锁（互联网紧急断开开关）。仅适用于 OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>允许访问本地网络设备，例如共享文件夹和打印机</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>显示通知</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>MTU 大小</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>协议</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>现代协议：连接迅速、速度快、省电。适合大多数网络的最佳选择。</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>基于 UDP 的 OpenVPN：在大多数网络上快速可靠。</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>基于 TCP 的 OpenVPN：速度较慢，但能穿过封锁 UDP 的网络。</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>隐身</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>在 443 端口的 TLS 隧道中运行 OpenVPN，适用于封锁 VPN 流量的网络。</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>让 IPv6 流量经过隧道。关闭时，连接期间将停用 IPv6，确保没有流量绕过隧道。</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>显示日志文件夹</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%2 启动时运行 %1</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>启动 %1 时连接到上次使用的位置</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>VPN 断开或掉线时自动重新连接</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>启动时最小化</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>已禁用</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>到系统托盘</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>到任务栏</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>自动更新</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>自动更新应用程序</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>属性</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>分区</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>主题编辑器</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>请选择文件</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>加载主题</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>保存主题</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>图像 (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>主题文件 (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>预览：%1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>显示日志文件夹</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>深色样式</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>浅色样式</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>分区</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>文本框</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>标签 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>标签 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>标签 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>标签 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>标签 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>按钮</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>按下的按钮</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>已禁用</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>到系统托盘</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>到任务栏</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>显示通知</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>SWITCH OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>时长 %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>服务器位置</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>已下载</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>已上传</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>正在更新...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>用户名或密码为空！</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>VPN 服务器 IP 为空！</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>此连接没有可用的端口</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>自动重新连接</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>最佳位置</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>您当前的 IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>服务器名称为空！</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>系统服务未运行！</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>正在断开连接...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>调试模式。</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>无法在此系统上检测到系统托盘。</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>严重错误，程序即将退出（点击“显示日志”查看详情）。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>显示日志</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>紧急断开开关已触发</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>互联网连接已被阻止</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
</TS>
