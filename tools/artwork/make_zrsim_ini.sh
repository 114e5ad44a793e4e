#!/bin/sh
# Writes the sample simulator settings file payload/zrsetup/BinDL/zrsim.ini.
#
# Run by hand (sh tools/artwork/make_zrsim_ini.sh); its output is committed and
# the build never runs it. printf writes the bytes exactly: every line ends in
# CR LF, and \247 is the single byte 0xA7 that marks where the installation
# folder goes when the installer adapts the file. No line is empty and no
# marker is the first or last character of its line.
set -eu
out="$(dirname "$0")/../../payload/zrsetup/BinDL/zrsim.ini"
mkdir -p "$(dirname "$out")"
M='\247'
line() { printf "$1\r\n"; }
{
  line '[Simulator]'
  line 'Product=ZR PSpice Examples'
  line 'Version=8.0'
  line 'Edition=Evaluation'
  line 'Maker=Morvane'
  line '[Directories]'
  line "BinDir=\"$M\\\\BinDL\""
  line "LIBPATH=\"$M\\\\BinDL\\\\lib\""
  line "StimulusDir=\"$M\\\\BinDL\\\\stimulus\""
  line "ExamplesDir=\"$M\\\\Examples\""
  line 'TempDir="%%TEMP%%"'
  line '[Libraries]'
  line 'Lib1=nom.lib'
  line 'Lib2=passive.lib'
  line 'LibIndex=nom.ind'
  line '[Schematics]'
  line "Editor=\"$M\\\\BinDL\\\\psched.exe\""
  line "Starter=\"$M\\\\BinDL\\\\winzre.exe\""
  line 'SchematicExt=.sch'
  line 'CompanionExt=.zre'
  line 'GridSpacing=10'
  line 'AutoSaveMinutes=10'
  line '[Analysis]'
  line 'DefaultAnalysis=TRAN'
  line 'RelTol=0.001'
  line 'MaxPoints=16000'
  line '[Probe]'
  line 'DataFormat=binary'
  line 'DefaultTrace=V(OUT)'
  line '[Help]'
  line "HelpFile=\"$M\\\\BinDL\\\\ZRSIM.HLP\""
  line "TutorialFile=\"$M\\\\BinDL\\\\TUTORIAL.HLP\""
  line '[Recent]'
  line "File1=\"$M\\\\Examples\\\\analog\\\\rc_filter\\\\rc_lowpass.sch\""
  line "File2=\"$M\\\\Examples\\\\analog\\\\amplifiers\\\\common_emitter\\\\CE_AMP.SCH\""
  line "StartPage=\"$M\\\\Examples\\\\index.htm\""
} >"$out"
