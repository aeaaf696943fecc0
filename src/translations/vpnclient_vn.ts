<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi">
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
</context>
</TS>
