# The released simulator's facts that some checks hold the module against, and where each comes
# from. Sourced by scripts/test-msvc.sh and scripts/package.sh, from the project root. None of
# them is an input of the build: without them those checks are skipped, each saying so in one
# line, and everything else runs.
#
# In this order, the first that is set or present counts:
#   QUILLMAR_RELEASED_EXPORTS, QUILLMAR_STOCK_CLASSES, QUILLMAR_SDK_DIR   one reference each: the
#       released orbiter.exe's export list, the list of vessel classes a fresh installation has,
#       an installation's Orbitersdk/include;
#   QUILLMAR_ORBITER_DIR   an Orbiter installation, the player's or add-on author's own: its
#       orbiter.exe's export table (read from the executable), its Config/Vessels/*.cfg classes,
#       its Orbitersdk/include when it has one;
#   ../shared beside the project: orbitersdk/exports-2016.txt, testdata/stock-vessel-classes.txt.
# A variable naming something that is not there is an error, not a skip.
#
# Sets:
#   released_args   the import checker's option for the released exports (empty: none)
#   released_from   what it is, in words
#   classes_args    the scenario checker's option for the installed classes (empty: none)
#   classes_from    what it is, in words
#   sdk_include     an installation's Orbitersdk/include (empty: none)

reference_error() {
  echo "FAILED: $*"
  exit 1
}

# The entry of `folder` named `name` ignoring letter case, as the installation's Windows finds it;
# empty when there is none.
entry_ignoring_case() {  # folder, name
  local entry base
  if [ -e "$1/$2" ]; then
    echo "$1/$2"
    return
  fi
  for entry in "$1"/*; do
    base=${entry##*/}
    if [ "${base,,}" = "${2,,}" ]; then
      echo "$entry"
      return
    fi
  done
}

orbiter_dir=${QUILLMAR_ORBITER_DIR:-}
shared=$PWD/../shared
if [ -n "$orbiter_dir" ] && [ ! -d "$orbiter_dir" ]; then
  reference_error "QUILLMAR_ORBITER_DIR=$orbiter_dir is not a folder: it names an Orbiter installation"
fi

released_args=()
released_from=
if [ -n "${QUILLMAR_RELEASED_EXPORTS:-}" ]; then
  [ -f "$QUILLMAR_RELEASED_EXPORTS" ] ||
    reference_error "no released export list $QUILLMAR_RELEASED_EXPORTS (QUILLMAR_RELEASED_EXPORTS)"
  released_args=(--released-exports "$QUILLMAR_RELEASED_EXPORTS")
  released_from="the export list $QUILLMAR_RELEASED_EXPORTS (QUILLMAR_RELEASED_EXPORTS)"
elif [ -n "$orbiter_dir" ]; then
  exe=$(entry_ignoring_case "$orbiter_dir" orbiter.exe)
  [ -n "$exe" ] || reference_error "no orbiter.exe in $orbiter_dir (QUILLMAR_ORBITER_DIR)"
  released_args=(--released-image "$exe")
  released_from="the export table of $exe (QUILLMAR_ORBITER_DIR)"
elif [ -f "$shared/orbitersdk/exports-2016.txt" ]; then
  released_args=(--released-exports "$shared/orbitersdk/exports-2016.txt")
  released_from="the released Orbiter 2016's export list beside the project ($shared/orbitersdk/exports-2016.txt)"
fi

classes_args=()
classes_from=
if [ -n "${QUILLMAR_STOCK_CLASSES:-}" ]; then
  [ -f "$QUILLMAR_STOCK_CLASSES" ] ||
    reference_error "no class list $QUILLMAR_STOCK_CLASSES (QUILLMAR_STOCK_CLASSES)"
  classes_args=(--stock-classes "$QUILLMAR_STOCK_CLASSES")
  classes_from="the class list $QUILLMAR_STOCK_CLASSES (QUILLMAR_STOCK_CLASSES)"
elif [ -n "$orbiter_dir" ]; then
  config=$(entry_ignoring_case "$orbiter_dir" Config)
  vessels=${config:+$(entry_ignoring_case "$config" Vessels)}
  [ -n "$vessels" ] || reference_error "no Config/Vessels in $orbiter_dir (QUILLMAR_ORBITER_DIR)"
  classes_args=(--installed-classes "$vessels")
  classes_from="the classes of $vessels (QUILLMAR_ORBITER_DIR)"
elif [ -f "$shared/testdata/stock-vessel-classes.txt" ]; then
  classes_args=(--stock-classes "$shared/testdata/stock-vessel-classes.txt")
  classes_from="the stock class list beside the project ($shared/testdata/stock-vessel-classes.txt)"
fi

sdk_include=
if [ -n "${QUILLMAR_SDK_DIR:-}" ]; then
  [ -f "$QUILLMAR_SDK_DIR/Orbitersdk.h" ] ||
    reference_error "no Orbitersdk.h in $QUILLMAR_SDK_DIR: QUILLMAR_SDK_DIR names an installation's Orbitersdk/include"
  sdk_include=$QUILLMAR_SDK_DIR
elif [ -n "$orbiter_dir" ]; then
  sdk=$(entry_ignoring_case "$orbiter_dir" Orbitersdk)
  include=${sdk:+$(entry_ignoring_case "$sdk" include)}
  if [ -n "$include" ] && [ -n "$(entry_ignoring_case "$include" Orbitersdk.h)" ]; then
    sdk_include=$include
  fi
fi

# One line for a check made without its reference: what was skipped, why, and how to run it.
skipped() {  # what the check is, which reference: exports, classes or headers
  local why
  case $2 in
    exports) why="no released orbiter.exe's exports (no ../shared beside the project); set
QUILLMAR_ORBITER_DIR to an Orbiter installation, or QUILLMAR_RELEASED_EXPORTS to an export list" ;;
    classes) why="no list of a fresh installation's vessel classes (no ../shared beside the project);
set QUILLMAR_ORBITER_DIR to an Orbiter installation, or QUILLMAR_STOCK_CLASSES to a class list" ;;
    headers) why="no installation's interface headers; set QUILLMAR_ORBITER_DIR to an Orbiter
installation with its Orbitersdk, or QUILLMAR_SDK_DIR to its Orbitersdk/include" ;;
  esac
  echo "-- skipped: $1: ${why//$'\n'/ }"
}
