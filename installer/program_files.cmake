# The files Setup installs, listed once: the NSIS installer, the MSI package
# and the zip of make release are all made from this list (CMakeLists.txt).
#
#   program_file(NAME TARGET target | FILE path [JAPANESE path] [HOST] [KEEP]
#                [HELD_BY text HELD_BY_JAPANESE text])
#
# NAME is the file's name in the program folder. JAPANESE: the file
# installed under NAME instead when Setup runs in Japanese (the payload and
# the zip hold it as ja/NAME). HOST: also into the scanning program's
# folder. KEEP: a file already there stays, as the user may have changed
# it. HELD_BY: the program that holds the file open while it runs, as
# Setup names it in English and in Japanese; Setup replaces or deletes
# nothing while one does. A TARGET's binary is signed when make release
# signs.
program_file(jobport.dll TARGET jobport HOST
             HELD_BY "the scanning program that loaded it"
             HELD_BY_JAPANESE "このファイルを読み込んだスキャン プログラム")
program_file(KESTRO.EXE TARGET kestro_launcher
             HELD_BY "KESTRO.EXE, the print launcher (it ends by itself once its pages are printed)"
             HELD_BY_JAPANESE "印刷ランチャー KESTRO.EXE (ページの印刷が終わると自動的に終了します)")
program_file(Tessary.exe TARGET tessary
             HELD_BY "Print Settings (Tessary.exe)"
             HELD_BY_JAPANESE "印刷設定 (Tessary.exe)")
program_file(Tessary.cfg FILE ${PROJECT_SOURCE_DIR}/settings_program/Tessary.cfg
             JAPANESE ${PROJECT_SOURCE_DIR}/settings_program/ja/Tessary.cfg)
program_file(KESTRO.cfg FILE ${CMAKE_CURRENT_SOURCE_DIR}/KESTRO.cfg
             JAPANESE ${CMAKE_CURRENT_SOURCE_DIR}/ja/KESTRO.cfg HOST KEEP)
