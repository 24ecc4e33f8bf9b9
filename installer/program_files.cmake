# The files Setup installs, listed once: the NSIS installer, the MSI package
# and the zip of make release are all made from this list (CMakeLists.txt).
#
#   program_file(NAME TARGET target | FILE path [HOST] [KEEP] [HELD_BY text])
#
# NAME is the file's name in the program folder. HOST: also into the
# scanning program's folder. KEEP: a file already there stays, as the user
# may have changed it. HELD_BY: the program that holds the file open while
# it runs; Setup replaces or deletes nothing while one does. A TARGET's
# binary is signed when make release signs.
program_file(jobport.dll TARGET jobport HOST
             HELD_BY "the scanning program that loaded it")
program_file(KESTRO.EXE TARGET kestro_launcher
             HELD_BY "KESTRO.EXE, the print launcher (it ends by itself once its pages are printed)")
program_file(Tessary.exe TARGET tessary
             HELD_BY "Print Settings (Tessary.exe)")
program_file(Tessary.cfg FILE ${PROJECT_SOURCE_DIR}/settings_program/Tessary.cfg)
program_file(KESTRO.cfg FILE ${CMAKE_CURRENT_SOURCE_DIR}/KESTRO.cfg HOST KEEP)
