<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>วาง</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>ซ่อนรหัสผ่าน</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>แสดงรหัสผ่าน</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>ค้นหา</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>ล้างการค้นหา</translation>
    </message>
</context>
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
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
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
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>รายชื่อเซิร์ฟเวอร์</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>รายการโปรด</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>ยุบ</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>ขยาย</translation>
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
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>รายชื่อเซิร์ฟเวอร์</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>ไม่มีรายการที่จะแสดง</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>รายชื่อเซิร์ฟเวอร์</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>แนะนำ</translation>
    </message>
    <message>
        <source>All</source>
        <translation>ทั้งหมด</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>ล่าสุด</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>การยืนยันตัวตน</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>อัปเดตแล้ว</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ชื่อผู้ใช้</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>รหัสบัญชี</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>รหัสผ่าน</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>อัปเดต</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>สวิตช์ตัดการเชื่อมต่อ</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>เปิดใช้การล็อกเครือข่าย (สวิตช์ตัดอินเทอร์เน็ต) ใช้ได้กับ OpenVPN เท่านั้น</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>อนุญาตให้เข้าถึงอุปกรณ์ในเครือข่ายท้องถิ่น เช่น โฟลเดอร์ที่แชร์และเครื่องพิมพ์</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>อื่น ๆ</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>แสดงการแจ้งเตือน</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>ภาษา</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>ขนาด MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>อัตโนมัติ</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>กำหนดเอง</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>โปรโตคอล</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>โปรโตคอลสมัยใหม่: เชื่อมต่อไว รวดเร็ว และประหยัดแบตเตอรี่ เป็นตัวเลือกที่ดีที่สุดสำหรับเครือข่ายส่วนใหญ่</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN ผ่าน UDP: รวดเร็วและเสถียรบนเครือข่ายส่วนใหญ่</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN ผ่าน TCP: ช้ากว่า แต่ผ่านเครือข่ายที่บล็อก UDP ได้</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>สเตลท์</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN ภายในอุโมงค์ TLS บนพอร์ต 443 สำหรับเครือข่ายที่บล็อกการรับส่งข้อมูล VPN</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>ส่ง IPv6 ผ่านอุโมงค์ เมื่อปิด ระบบจะปิด IPv6 ระหว่างเชื่อมต่อ เพื่อไม่ให้มีข้อมูลออกไปนอกอุโมงค์</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>พอร์ต</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>แสดงโฟลเดอร์บันทึก</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>การเริ่มต้น</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>เปิด %1 เมื่อเริ่ม %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>เชื่อมต่อกับตำแหน่งที่ใช้ล่าสุดเมื่อเปิด %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>เชื่อมต่อ VPN ใหม่เมื่อถูกตัดหรือหลุด</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>เริ่มแบบย่อหน้าต่าง</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>ปิดใช้งาน</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>ไปที่ถาดระบบ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>ไปที่แถบงาน</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
    <message>
        <source>General</source>
        <translation>ทั่วไป</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>ขั้นสูง</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>อัปเดตอัตโนมัติ</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>อัปเดตแอปพลิเคชันโดยอัตโนมัติ</translation>
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
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>เลือกสี</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>เรียกดู...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>คุณสมบัติ</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>ส่วนต่าง ๆ</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>ตัวแก้ไขธีม</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>โปรดเลือกไฟล์</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>โหลดธีม</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>บันทึกธีม</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>รูปภาพ (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>ไฟล์ธีม (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>เลือกสี</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>ตัวอย่าง: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>ตัวอย่าง</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>บันทึก</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>แสดงโฟลเดอร์บันทึก</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>สไตล์มืด</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>สไตล์สว่าง</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>ส่วน</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>ช่องข้อความ</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>ป้ายกำกับ 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>ป้ายกำกับ 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>ป้ายกำกับ 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>ป้ายกำกับ 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>ป้ายกำกับ 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>ปุ่ม</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>ปุ่มที่ถูกกด</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>ปิดใช้งาน</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>ไปที่ถาดระบบ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>ไปที่แถบงาน</translation>
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
        <translation>แสดงการแจ้งเตือน</translation>
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
        <translation>ปิด</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>ระยะเวลา</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>ระยะเวลา %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>ตำแหน่งเซิร์ฟเวอร์</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>ดาวน์โหลด</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>อัปโหลด</translation>
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
    <message>
        <source>Killswitch event</source>
        <translation>สวิตช์ตัดการเชื่อมต่อทำงาน</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>การเชื่อมต่ออินเทอร์เน็ตถูกบล็อก</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
</context>
</TS>
