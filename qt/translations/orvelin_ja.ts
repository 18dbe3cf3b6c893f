<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>LiveChart</name>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>記録開始</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>記録停止</translation>
    </message>
    <message>
        <source>Export CSV...</source>
        <translation>CSVに書き出し...</translation>
    </message>
    <message>
        <source>Export PNG...</source>
        <translation>PNGに書き出し...</translation>
    </message>
    <message>
        <source>Registers</source>
        <translation>レジスタ</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>間隔</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>チャート</translation>
    </message>
    <message>
        <source>Choose at least one register to record.</source>
        <translation>記録するレジスタを一つ以上選んでください。</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSVに書き出し</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSVファイル(*.csv)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>ファイル %1 に書き込めません。</translation>
    </message>
    <message>
        <source>Export PNG</source>
        <translation>PNGに書き出し</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG画像(*.png)</translation>
    </message>
    <message>
        <source>ID %1: %2 of %3 bytes came</source>
        <translation>ID %1: %3 バイト中 %2 バイトしか届きません</translation>
    </message>
    <message>
        <source>ID %1: stray bytes after the reply</source>
        <translation>ID %1: 応答の後に余分なバイトが届きました</translation>
    </message>
    <message>
        <source>ID %1: no answer</source>
        <translation>ID %1: 応答がありません</translation>
    </message>
    <message>
        <source>Selected ID</source>
        <translation>選択中のID</translation>
    </message>
    <message>
        <source>Hexadecimal IDs and ranges, such as 1,2,5 or 1-4; empty: the ID selected in the window</source>
        <translation>16進数の ID と範囲: 1,2,5、1-4 など。空のときはウィンドウで選択中の ID</translation>
    </message>
    <message>
        <source>IDs</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>%1 is not a list of IDs such as 1,2,5 or 1-4.</source>
        <translation>%1 は 1,2,5 や 1-4 のような ID のリストではありません。</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Save file</source>
        <translation>ファイルを保存</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>テキストファイル(*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>全てのファイル(*)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>ファイル %1 に書き込めません。</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>ファイル %1 を読み込めません。</translation>
    </message>
    <message>
        <source>%1 is not a FLASH value file: each line is a row number and a value.</source>
        <translation>%1 はFLASH値ファイルではありません。各行は行番号と値です。</translation>
    </message>
    <message>
        <source>ORVELIN Programmer Ver.1.07</source>
        <translation>ORVELINプログラマ Ver.1.07</translation>
    </message>
    <message>
        <source>Talking to the servo...</source>
        <translation>通信中...</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>取り込み</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>書込み</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>COMポート番号</translation>
    </message>
    <message>
        <source>Bits/s</source>
        <translation>ビット/秒</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Read from RAM</source>
        <translation>RAMから取り込み</translation>
    </message>
    <message>
        <source>Write FLASH</source>
        <translation>ファーム書込み</translation>
    </message>
    <message>
        <source>Clear settings</source>
        <translation>設定クリア</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>ファームアップデート</translation>
    </message>
    <message>
        <source>&amp;Scan...</source>
        <translation>スキャン(&amp;S)...</translation>
    </message>
    <message>
        <source>Enter FLASH value</source>
        <translation>FLASH値入力</translation>
    </message>
    <message>
        <source>Trace</source>
        <translation>トレース</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>チャート</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Show packets</source>
        <translation>パケットを表示</translation>
    </message>
    <message>
        <source>%v / %m chunks</source>
        <translation>%v / %m チャンク</translation>
    </message>
    <message>
        <source>Open firmware file</source>
        <translation>ファームウェアファイルを開く</translation>
    </message>
    <message>
        <source>Firmware files (*.upd)</source>
        <translation>ファームウェアファイル(*.upd)</translation>
    </message>
</context>
<context>
    <name>Operations</name>
    <message>
        <source>Restart the ORVELIN and press OK</source>
        <translation>ORVELINを再起動してOKを押してください</translation>
    </message>
    <message>
        <source>Settings cleared</source>
        <translation>消去完了</translation>
    </message>
    <message>
        <source>The FLASH write is complete.</source>
        <translation>FLASHの書き込みが完了しました</translation>
    </message>
    <message>
        <source>Write finished</source>
        <translation>書き込み完了</translation>
    </message>
    <message>
        <source>The firmware has been written.
Restart the ORVELIN and press OK</source>
        <translation>ファームウェアの書き込みが完了しました
ORVELINを再起動してOKを押してください</translation>
    </message>
    <message>
        <source>Firmware update finished</source>
        <translation>ファームアップデート完了</translation>
    </message>
    <message>
        <source>Update error</source>
        <translation>アップデートエラー</translation>
    </message>
    <message>
        <source>The firmware cannot be written</source>
        <translation>ファームウェアの書き込みができません</translation>
    </message>
    <message>
        <source>The update file is not valid</source>
        <translation>アップデートファイルが正しくありません</translation>
    </message>
    <message>
        <source>No answer from the ORVELIN</source>
        <translation>ORVELINから応答がありません</translation>
    </message>
    <message>
        <source>The checksum is not correct</source>
        <translation>チェックサムが正しくありません</translation>
    </message>
    <message>
        <source>An unknown error occurred</source>
        <translation>不明なエラーが発生してまいました</translation>
    </message>
    <message>
        <source>The COM port cannot be opened</source>
        <translation>COMポートが開けません</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>通信エラー</translation>
    </message>
    <message>
        <source>serial_open</source>
        <translation>serial_open</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>OptionDialog</name>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>COMポート番号</translation>
    </message>
    <message>
        <source>Bits/s</source>
        <translation>ビット/秒</translation>
    </message>
    <message>
        <source>At start-up</source>
        <translation>通信初期値設定</translation>
    </message>
    <message>
        <source>The settings cannot be written to %1.</source>
        <translation>設定を %1 に書き込めません。</translation>
    </message>
</context>
<context>
    <name>ParamTable</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>RAM</source>
        <translation>RAM</translation>
    </message>
    <message>
        <source>FLASH</source>
        <translation>FLASH</translation>
    </message>
</context>
<context>
    <name>ScanDialog</name>
    <message>
        <source>Scan</source>
        <translation>スキャン</translation>
    </message>
    <message>
        <source>At the baud rate in force</source>
        <translation>現在のボーレートで</translation>
    </message>
    <message>
        <source>At all six baud rates</source>
        <translation>6つのボーレートすべてで</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>SYS_PN</source>
        <translation>SYS_PN</translation>
    </message>
    <message>
        <source>SYS_VER</source>
        <translation>SYS_VER</translation>
    </message>
    <message>
        <source>Bits/s</source>
        <translation>ビット/秒</translation>
    </message>
    <message>
        <source>Choose the baud rates and start the scan.</source>
        <translation>ボーレートを選んでスキャンを開始してください。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Use this servo</source>
        <translation>このサーボを使う</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Trying ID %1 at %2 bits/s</source>
        <translation>ID %1 を %2 ビット/秒で確認中</translation>
    </message>
    <message>
        <source>ID %1 at %2 bits/s: a late answer; not used</source>
        <translation>ID %1 (%2 ビット/秒): 遅れた応答 (使用しません)</translation>
    </message>
    <message>
        <source>ID %1 at %2 bits/s: the answer names ID %3; not used</source>
        <translation>ID %1 (%2 ビット/秒): 応答が ID %3 を名乗っています (使用しません)</translation>
    </message>
    <message>
        <source>ID %1 at %2 bits/s: %3 of %4 bytes; not used</source>
        <translation>ID %1 (%2 ビット/秒): %4 バイト中 %3 バイト (使用しません)</translation>
    </message>
    <message>
        <source>ID %1 at %2 bits/s: garbled, %3 bytes too many; not used</source>
        <translation>ID %1 (%2 ビット/秒): 乱れた応答、%3 バイト過剰 (使用しません)</translation>
    </message>
    <message>
        <source>The port cannot be opened.</source>
        <translation>ポートを開けません。</translation>
    </message>
    <message>
        <source>Stopped. Servos found: %1</source>
        <translation>中止しました。見つかったサーボ: %1</translation>
    </message>
    <message>
        <source>Servos found: %1</source>
        <translation>見つかったサーボ: %1</translation>
    </message>
</context>
<context>
    <name>ValueEditDialog</name>
    <message>
        <source>Edit data</source>
        <translation>データの編集</translation>
    </message>
    <message>
        <source>Edit FLASH value</source>
        <translation>ファームの編集</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ｷｬﾝｾﾙ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>データ</translation>
    </message>
</context>
</TS>
