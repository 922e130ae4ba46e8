#!/usr/bin/env bash
# Writes the seed corpus of template_fuzz into fuzz/corpus/template/: the
# sample forms of the form tools' tests, and a few small forms written here,
# compiled with formc (FORMC=path/to/formc, default build/tools/formc).
# Inputs that once found a fault sit beside them and are kept as they are
# (overlapping-records: two records sharing bytes, refused by the reader).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
formc="${FORMC:-$root/build/tools/formc}"
out="$root/fuzz/corpus/template"
forms="$(mktemp -d)"
trap 'rm -rf "$forms"' EXIT
mkdir -p "$out"

for form in "$root"/tools/form_text/testdata/*.form; do
  "$formc" "$form" -o "$out/$(basename "${form%.form}")"
done

cat >"$forms/one_button.form" <<'FORM'
handlers OnClick
window 0x52010001 {
  unit 0x06010000 window "" {
    position 0 0 200 100
    properties { }
  }
  unit 0x16010001 Button "按钮1" {
    position 10 10 64 24
    flags visible tabstop
    on 0 OnClick
    properties {
      Caption "确定"
    }
  }
}
FORM

cat >"$forms/menus.form" <<'FORM'
handlers OnOpen OnQuit
window 0x52010001 {
  menu 0x26010001 "文件" {
    caption "文件"
    handler none
  }
  menu 0x26010002 "打开" {
    caption "打开"
    level 1
    shortcut 15
    handler OnOpen
  }
  menu 0x26010003 "退出" {
    caption "退出"
    level 1
    flags checked
    handler OnQuit
  }
  unit 0x06010000 window "" {
    position 0 0 200 100
    properties none
  }
}
FORM

cat >"$forms/placed.form" <<'FORM'
window 0x52010001 {
  unit 0x06010000 window "" {
    properties {
      version 0
    }
  }
  unit 0x16010001 ComboBox "c" {
    properties {
      Items "a" "b"
      ItemData hex 0000000001000000
    }
  }
  unit 0x16010002 EditBox "e" {
    tag "tag"
    pointer 3
    properties {
      version 1
      Content "x"
    }
  }
  layout {
    record 2
    filler hex 00FF
    record 0
    record 1
  }
}
FORM

for form in "$forms"/*.form; do
  "$formc" "$form" -o "$out/$(basename "${form%.form}")"
done
ls -l "$out"
