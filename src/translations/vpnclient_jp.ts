<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ACloseButton</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
</context>
<context>
    <name>AInputField</name>
    <message>
        <source>Hide password</source>
        <translation>パスワードを隠す</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>パスワードを表示</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>検索をクリア</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>新しいバージョンが見つかりました。
バージョン %1 に更新しますか？</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>切断されました</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続されました</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>はバックグラウンドで動作を続けます</translation>
    </message>
</context>
<context>
    <name>ComboBoxListModel</name>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>準備中</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>切断中...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>再接続中...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>エラー！</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>OpenVPN サーバーが指定されていません！</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>エラー: ユーザー名またはパスワードが正しくありません</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>サーバーリスト</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Favorite</source>
        <translation>お気に入り</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>折りたたむ</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>展開</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>未選択</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>お気に入りのサーバー</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>最近使用したサーバー</translation>
    </message>
</context>
<context>
    <name>ServerListWindow</name>
    <message>
        <source>Serverlist</source>
        <translation>サーバーリスト</translation>
    </message>
    <message>
        <source>No items to display</source>
        <translation>表示する項目がありません</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Server lists</source>
        <translation>サーバーリスト</translation>
    </message>
    <message>
        <source>Recommended</source>
        <translation>おすすめ</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
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
        <translation>認証</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>更新しました</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Account ID</source>
        <translation>アカウント ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
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
        <translation>キルスイッチ</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>ネットワークロック（インターネットのキルスイッチ）を有効にする。OpenVPN でのみ使用できます</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>共有フォルダーやプリンターなど、ローカルネットワーク上の機器へのアクセスを許可する</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>通知を表示する</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU size</source>
        <translation>MTU サイズ</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>プロトコル</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.</source>
        <translation>最新のプロトコル：接続が速く、高速で、バッテリーにも優しい。ほとんどのネットワークで最適です。</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over UDP: fast and reliable on most networks.</source>
        <translation>UDP 上の OpenVPN：ほとんどのネットワークで高速かつ安定しています。</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>OpenVPN over TCP: slower, but gets through networks that block UDP.</source>
        <translation>TCP 上の OpenVPN：速度は落ちますが、UDP を遮断するネットワークでも通ります。</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>ステルス</translation>
    </message>
    <message>
        <source>OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.</source>
        <translation>ポート 443 の TLS トンネル内で OpenVPN を使います。VPN 通信を遮断するネットワーク向けです。</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.</source>
        <translation>IPv6 の通信もトンネル経由にします。オフにすると接続中は IPv6 を無効にし、トンネルの外に通信が漏れないようにします。</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>ログフォルダーを表示</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>起動</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%2 の起動時に %1 を起動する</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>%1 の起動時に前回使用した場所に接続する</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>切断されたり途切れたりしたら VPN に再接続する</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>最小化して起動</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>システムトレイへ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>タスクバーへ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>詳細設定</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>自動アップデート</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>アプリを自動的にアップデートする</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>ThemeListItem</name>
    <message>
        <source>Choose a colour</source>
        <translation>色を選択</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
</context>
<context>
    <name>ThemeListView</name>
    <message>
        <source>Properties</source>
        <translation>プロパティ</translation>
    </message>
</context>
<context>
    <name>ThemeSectionListView</name>
    <message>
        <source>Sections</source>
        <translation>セクション</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>テーマエディター</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>ファイルを選択してください</translation>
    </message>
    <message>
        <source>Load theme</source>
        <translation>テーマを読み込む</translation>
    </message>
    <message>
        <source>Save theme</source>
        <translation>テーマを保存</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.svg)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.svg)</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>テーマファイル (*.ini)</translation>
    </message>
    <message>
        <source>Choose a colour</source>
        <translation>色を選択</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>プレビュー：%1</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>ログフォルダーを表示</translation>
    </message>
    <message>
        <source>Dark style</source>
        <translation>ダークスタイル</translation>
    </message>
    <message>
        <source>Light style</source>
        <translation>ライトスタイル</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>セクション</translation>
    </message>
    <message>
        <source>Text field</source>
        <translation>テキストフィールド</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>ラベル 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>ラベル 2</translation>
    </message>
    <message>
        <source>Label 3</source>
        <translation>ラベル 3</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>ラベル 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>ラベル 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>ボタン</translation>
    </message>
    <message>
        <source>Pressed button</source>
        <translation>押されたボタン</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>システムトレイへ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>タスクバーへ</translation>
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
        <translation>通知を表示する</translation>
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
        <translation>オフにする</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>オンにする</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>接続時間</translation>
    </message>
    <message>
        <source>Duration %1</source>
        <translation>接続時間 %1</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>サーバーの場所</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>アップロード</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>更新中...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>ユーザー名またはパスワードが空です！</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>VPN サーバーの IP が空です！</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>この接続に使えるポートがありません</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>自動再接続</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>おすすめ</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>現在の IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>Server name is empty!</source>
        <translation>サーバー名が空です！</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>システムサービスが実行されていません！</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>切断しています...</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>デバッグモード。</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>このシステムにはシステムトレイが見つかりません。</translation>
    </message>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>重大なエラーのため終了します（詳しくは「ログを表示」をクリックしてください）。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>ログを表示</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>キルスイッチが作動しました</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>インターネットへの接続はブロックされています</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
