<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>Скрыть пароль</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Показать пароль</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Очистить поиск</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Найдена новая версия.
Обновить до версии %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>продолжит работать в фоновом режиме</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Подготовка</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Подключение...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Отключение...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Переподключение...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Ошибка!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Не указан сервер OpenVPN!</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Ошибка: неверное имя пользователя или пароль</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Список серверов</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Развернуть</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Не выбрано</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Избранные серверы</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Недавние серверы</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>Список серверов</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>Нет элементов для отображения</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>Списки серверов</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>Рекомендуемые</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Недавние</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Авторизация</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Обновлено</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>ID аккаунта</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Обновить</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Аварийное отключение</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Включить блокировку сети (аварийное отключение интернета). Только для OpenVPN</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Разрешить доступ к устройствам локальной сети, например к общим папкам и принтерам</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Показывать уведомления</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>Размер MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Вручную</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Протокол</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>Современный протокол: быстро подключается, работает быстро и бережёт батарею. Лучший выбор для большинства сетей.</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>OpenVPN через UDP: быстро и надёжно в большинстве сетей.</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>OpenVPN через TCP: медленнее, но проходит через сети, где UDP заблокирован.</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Стелс</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>OpenVPN внутри TLS-туннеля на порту 443 — для сетей, которые блокируют VPN-трафик.</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>Пропускать IPv6 через туннель. Если выключено, IPv6 отключается на время подключения, чтобы ничего не уходило мимо туннеля.</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Журналы</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Открыть папку журналов</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Запускать %1 при старте %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Подключаться к последнему местоположению при запуске %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Восстанавливать VPN-подключение при обрыве</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Запускать свёрнутым</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>В системный трей</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>На панель задач</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Дополнительно</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Автообновление</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Обновлять приложение автоматически</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>Выбрать цвет</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>Свойства</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>Разделы</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Редактор темы</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Выберите файл</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>Загрузить тему</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>Сохранить тему</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>Изображения (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Файлы темы (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>Выбрать цвет</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Предпросмотр: %1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Предпросмотр</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Журналы</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Открыть папку журналов</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>Тёмный стиль</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>Светлый стиль</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Раздел</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>Текстовое поле</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Надпись 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Надпись 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>Надпись 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Надпись 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Надпись 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Кнопка</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>Нажатая кнопка</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>В системный трей</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>На панель задач</translation>
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
        <translation>Показывать уведомления</translation>
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
        <translation>Б</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>КиБ</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>МиБ</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>ГиБ</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>ТиБ</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>SWITCH OFF</source>
        <translation>ВЫКЛЮЧИТЬ</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ВКЛЮЧИТЬ</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>ВРЕМЯ</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>Время %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Местоположение сервера</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Получено</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Отправлено</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Обновление...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Не указано имя пользователя или пароль!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>Не указан IP-адрес VPN-сервера!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Нет доступных портов для этого подключения</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Автоматическое переподключение</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Лучший в</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Ваш текущий IP-адрес</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>Не указано имя сервера!</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Системная служба не запущена!</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Выполняется отключение...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Режим отладки.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Не удалось обнаружить системный трей.</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Критическая ошибка, программа будет закрыта (подробности — «Показать журналы»).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Показать журналы</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Сработало аварийное отключение</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Подключение к интернету заблокировано</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
</TS>
