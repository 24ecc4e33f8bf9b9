; Every text Setup and the uninstaller show on their own pages and in their
; message boxes, in English and in Japanese (the pages MUI draws come with
; its language files). Saved as UTF-8 with a byte order mark, which
; makensis reads as such. Included after MUI_LANGUAGE, which defines the
; LANG_ values. The lines of the installation's details stay English.

!macro TEXT name english japanese
    LangString ${name} ${LANG_ENGLISH} "${english}"
    LangString ${name} ${LANG_JAPANESE} "${japanese}"
!macroend

; The welcome page.
!insertmacro TEXT WELCOME_TEXT \
    "Setup installs ${PRODUCT} ${PRODUCT_VERSION}, which prints the pages your scanning program scans: the library jobport.dll, the print launcher KESTRO.EXE and Print Settings (Tessary.exe).$\r$\n$\r$\nClose the scanning program and Print Settings before you continue." \
    "スキャン プログラムで読み取ったページを印刷する ${PRODUCT} ${PRODUCT_VERSION} をインストールします。ライブラリ jobport.dll、印刷ランチャー KESTRO.EXE、印刷設定 (Tessary.exe) がインストールされます。$\r$\n$\r$\n続行する前に、スキャン プログラムと印刷設定を終了してください。"

; The page of the scanning program's folder (host_folder.nsh).
!insertmacro TEXT HOST_PAGE_HEADER "Scanning Program's Folder" "スキャン プログラムのフォルダー"
!insertmacro TEXT HOST_PAGE_SUBHEADER \
    "Where your scanning program loads jobport.dll from." \
    "スキャン プログラムが jobport.dll を読み込むフォルダーを選択してください。"
!insertmacro TEXT HOST_PAGE_TOP \
    "Your scanning program loads jobport.dll from its own folder and reads KESTRO.cfg from the folder it runs in. Choose that folder, and Setup puts both there too.$\r$\n$\r$\nLeave the field empty to keep them in the program folder only; you then copy them yourself." \
    "スキャン プログラムは、jobport.dll を自身のフォルダーから読み込み、KESTRO.cfg を実行時のフォルダーから読み取ります。そのフォルダーを選択すると、セットアップは両方のファイルをそこにもコピーします。$\r$\n$\r$\nプログラム フォルダーにだけインストールする場合は、空欄のままにしてください。その場合は、両方のファイルを手動でコピーしてください。"
!insertmacro TEXT HOST_PAGE_DESTINATION "Scanning program's folder" "スキャン プログラムのフォルダー"
!insertmacro TEXT HOST_FOLDER_INVALID \
    "$HostDir is not a folder Setup can use. Choose another one, or leave the field empty." \
    "$HostDir は、セットアップで使用できるフォルダーではありません。別のフォルダーを選択するか、空欄のままにしてください。"

; The finish page: where the library and its configuration are.
!insertmacro TEXT FINISH_WITHOUT_HOST_FOLDER \
    "jobport.dll and KESTRO.cfg are in $INSTDIR. Copy both into the folder of your scanning program: it loads jobport.dll from its own folder and reads KESTRO.cfg from the folder it runs in.$\r$\n$\r$\nChoose the printer and the layout with Print Settings in the Start menu." \
    "jobport.dll と KESTRO.cfg は $INSTDIR にあります。両方をスキャン プログラムのフォルダーにコピーしてください。スキャン プログラムは、jobport.dll を自身のフォルダーから読み込み、KESTRO.cfg を実行時のフォルダーから読み取ります。$\r$\n$\r$\nプリンターとレイアウトは、スタート メニューの [印刷設定] で選択してください。"
!insertmacro TEXT FINISH_WITH_HOST_FOLDER \
    "jobport.dll and KESTRO.cfg are also in $HostDir, the folder of your scanning program. Start the scanning program in that folder: it reads KESTRO.cfg from the folder it runs in.$\r$\n$\r$\nChoose the printer and the layout with Print Settings in the Start menu." \
    "jobport.dll と KESTRO.cfg は、スキャン プログラムのフォルダー $HostDir にもコピーされました。スキャン プログラムはこのフォルダーで起動してください。KESTRO.cfg は実行時のフォルダーから読み取られます。$\r$\n$\r$\nプリンターとレイアウトは、スタート メニューの [印刷設定] で選択してください。"

; The Start-menu shortcut's description.
!insertmacro TEXT SHORTCUT_DESCRIPTION \
    "Choose the printer and the layout of printed scans" \
    "スキャンしたページを印刷するプリンターとレイアウトを選択します"

; Messages that stop Setup or the uninstaller.
!insertmacro TEXT SETUP_CHANGED_NOTHING "Setup has changed nothing." "セットアップは何も変更していません。"
!insertmacro TEXT NOTHING_CHANGED "Nothing was changed." "何も変更されていません。"
!insertmacro TEXT UNKNOWN_OPTION "Unknown option: $0" "不明なオプションです: $0"
!insertmacro TEXT SETUP_USAGE \
    "Setup takes /S (silent), /HOSTDIR=folder, /SETTINGS=file, /REPLACESETTINGS, /LANG=ja or /LANG=en (the language of Setup and of the files it installs) and /D=folder." \
    "セットアップで使用できるオプションは、/S (サイレント)、/HOSTDIR=フォルダー、/SETTINGS=ファイル、/REPLACESETTINGS、/LANG=ja または /LANG=en (セットアップとインストールするファイルの言語)、/D=フォルダー です。"
!insertmacro TEXT UNINSTALLER_USAGE \
    "The uninstaller takes /S (silent) and /REMOVESETTINGS (the stored print settings go too)." \
    "アンインストーラーで使用できるオプションは、/S (サイレント) と /REMOVESETTINGS (保存されている印刷設定も削除します) です。"
!insertmacro TEXT INSTALLED_AS_MSI \
    "${PRODUCT} is installed on this computer from its MSI package ($1). Upgrade it with a newer package, or uninstall it first (the installed programs list, or msiexec /x $1). Setup has changed nothing." \
    "${PRODUCT} は、このコンピューターに MSI パッケージ ($1) からインストールされています。新しいパッケージでアップグレードするか、先にアンインストールしてください ([プログラムと機能]、または msiexec /x $1)。セットアップは何も変更していません。"
!insertmacro TEXT SETTINGS_NEED_FILE \
    "/SETTINGS= needs the print settings file, such as /SETTINGS=$\"\\server\share\KESTROst.ini$\". Nothing was changed." \
    "/SETTINGS= には、/SETTINGS=$\"\\server\share\KESTROst.ini$\" のように印刷設定ファイルを指定してください。何も変更されていません。"
!insertmacro TEXT SETTINGS_NOT_INSTALLED \
    "Setup could not install the print settings ($0):" \
    "セットアップは印刷設定をインストールできませんでした ($0):"
!insertmacro TEXT DATA_FOLDERS_UNSAFE \
    "Setup cannot use the folders for logs, print settings and pages in ${DATA_ROOT}:" \
    "${DATA_ROOT} にあるログ、印刷設定、ページ用のフォルダーは、セットアップで使用できません:"
!insertmacro TEXT DATA_FOLDERS_FAILED \
    "Setup could not prepare the folders for logs, print settings and pages in ${DATA_ROOT} ($0):" \
    "${DATA_ROOT} にログ、印刷設定、ページ用のフォルダーを準備できませんでした ($0):"
!insertmacro TEXT FILE_IN_USE \
    "$0 is in use by $1.$\r$\n$\r$\nClose it, then click Retry. Cancel stops without changing anything." \
    "$0 は $1 で使用中です。$\r$\n$\r$\nこのプログラムを終了してから、[再試行] をクリックしてください。[キャンセル] をクリックすると、何も変更せずに終了します。"

; The uninstaller's component of the stored print settings.
!insertmacro TEXT STORED_SETTINGS "Stored print settings" "保存済みの印刷設定"
!insertmacro TEXT STORED_SETTINGS_DESCRIPTION \
    "Also removes the printer and layout chosen in Print Settings. Leave it unticked to keep them for a later installation." \
    "[印刷設定] で選択したプリンターとレイアウトも削除します。後で再インストールするときに使う場合は、チェックを外したままにしてください。"
