<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Đóng</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Cắt</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Sao chép</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Dán</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Ẩn mật khẩu</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Hiện mật khẩu</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Tìm kiếm</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Xóa tìm kiếm</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Đã tìm thấy phiên bản mới.
Bạn có muốn cập nhật lên phiên bản %1 không?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Bỏ qua</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kết nối</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Ngắt kết nối</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Đã ngắt kết nối</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Đã kết nối</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>sẽ tiếp tục chạy trong nền</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Tự động</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Chưa kết nối</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Đang chuẩn bị</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Đang kết nối...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Đã kết nối</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Đang ngắt kết nối...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Đang kết nối lại...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Lỗi!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Không xác định</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Máy chủ OpenVPN trống!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Lỗi: Sai tên người dùng/mật khẩu</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Danh sách máy chủ</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Yêu thích</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Thu gọn</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Mở rộng</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Tìm kiếm</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Chưa chọn</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Máy chủ yêu thích</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Máy chủ gần đây</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Danh sách máy chủ</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Không có mục nào để hiển thị</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Danh sách máy chủ</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Đề xuất</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tất cả</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Gần đây</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Xác thực</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Đã cập nhật</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Tên người dùng</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>ID tài khoản</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mật khẩu</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Cập nhật</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Công tắc ngắt</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Bật Khóa mạng (công tắc ngắt Internet). Chỉ dùng được với OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Cho phép truy cập thiết bị trong mạng cục bộ như thư mục chia sẻ và máy in</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Khác</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Hiện thông báo</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Ngôn ngữ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Kích thước MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Tự động</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Thủ công</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Giao thức</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Giao thức hiện đại: kết nối nhanh, tốc độ cao và tiết kiệm pin. Lựa chọn tốt nhất cho hầu hết các mạng.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN qua UDP: nhanh và ổn định trên hầu hết các mạng.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN qua TCP: chậm hơn, nhưng vượt qua được mạng chặn UDP.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Ẩn danh</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN bên trong đường hầm TLS trên cổng 443, dành cho mạng chặn lưu lượng VPN.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Cho IPv6 đi qua đường hầm. Khi tắt, IPv6 bị vô hiệu hóa trong lúc kết nối để không có gì đi ra ngoài đường hầm.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Cổng</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Nhật ký</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Hiện thư mục nhật ký</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Khởi động</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Khởi chạy %1 khi %2 khởi động</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Kết nối đến vị trí dùng gần nhất khi khởi chạy %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Kết nối lại VPN nếu bị ngắt hoặc rớt</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Khởi động thu nhỏ</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Tắt</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Vào khay hệ thống</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Xuống thanh tác vụ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Chung</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Nâng cao</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Tự động cập nhật</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Tự động cập nhật ứng dụng</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Thoát</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Chọn màu</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Duyệt...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Thuộc tính</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Các mục</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Trình chỉnh sửa giao diện</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Vui lòng chọn tệp</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Tải giao diện</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Lưu giao diện</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Hình ảnh (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Tệp giao diện (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Chọn màu</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Xem trước: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Xem trước</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Nhật ký</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Hiện thư mục nhật ký</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Giao diện tối</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Giao diện sáng</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Mục</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Ô văn bản</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Nhãn 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Nhãn 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>Nhãn 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Nhãn 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Nhãn 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Nút</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Nút đang nhấn</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Tắt</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Vào khay hệ thống</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Xuống thanh tác vụ</translation>
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
        <translation>Hiện thông báo</translation>
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
        <translation>TẮT</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>BẬT</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>THỜI GIAN</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Thời gian %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Vị trí máy chủ</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Đã tải xuống</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Đã tải lên</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Đang cập nhật...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Tên người dùng hoặc mật khẩu trống!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP máy chủ VPN trống!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Không có cổng nào cho kết nối này</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Tự động kết nối lại</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Tốt nhất tại</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP hiện tại của bạn</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Lỗi</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Tên máy chủ trống!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Dịch vụ hệ thống không chạy!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Đang ngắt kết nối...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Chế độ gỡ lỗi.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Không phát hiện được khay hệ thống nào trên hệ thống này.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Lỗi nghiêm trọng, ứng dụng sẽ thoát (nhấn &apos;Xem nhật ký&apos; để xem chi tiết).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Đóng</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Xem nhật ký</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Công tắc ngắt đã kích hoạt</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Kết nối Internet đang bị chặn</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
