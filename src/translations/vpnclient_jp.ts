<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
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
</context>
</TS>
