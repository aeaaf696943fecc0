<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th">
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>พบเวอร์ชันใหม่
คุณต้องการอัปเดตเป็นเวอร์ชัน %1 หรือไม่?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>อัปเดต</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>ยกเลิกการเชื่อมต่อ</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>ยกเลิกการเชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>เชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>จะยังคงทำงานอยู่เบื้องหลัง</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>อัตโนมัติ</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>ไม่ได้เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>กำลังเตรียม</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>กำลังเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>เชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>กำลังยกเลิกการเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>กำลังเชื่อมต่อใหม่...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>ข้อผิดพลาด!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบ</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>ไม่ได้ระบุเซิร์ฟเวอร์ OpenVPN!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>ข้อผิดพลาด: ชื่อผู้ใช้/รหัสผ่านไม่ถูกต้อง</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>ค้นหา</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>ยังไม่ได้เลือก</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>เซิร์ฟเวอร์โปรด</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>เซิร์ฟเวอร์ล่าสุด</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>ออก</translation>
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
        <translation>กำลังอัปเดต...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>ชื่อผู้ใช้หรือรหัสผ่านว่างเปล่า!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP ของเซิร์ฟเวอร์ VPN ว่างเปล่า!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>ไม่มีพอร์ตสำหรับการเชื่อมต่อนี้</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>เชื่อมต่อใหม่อัตโนมัติ</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>ดีที่สุดใน</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP ปัจจุบันของคุณ</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>ข้อผิดพลาด</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>ชื่อเซิร์ฟเวอร์ว่างเปล่า!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>บริการระบบไม่ได้ทำงาน!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>กำลังยกเลิกการเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>โหมดดีบัก</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>ไม่พบถาดระบบบนระบบนี้</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>เกิดข้อผิดพลาดร้ายแรง โปรแกรมจะปิด (คลิก &apos;แสดงบันทึก&apos; เพื่อดูรายละเอียด)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>แสดงบันทึก</translation>
    </message>
</context>
</TS>
