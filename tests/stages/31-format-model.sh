# FormatNumberText against an independent model of the number rules
# (Python's decimal): a million values, natively and as the i686 build under
# Wine.
set -e
cmake --build "$BUILD/native" --target format_model_driver >/dev/null
cmake --build "$BUILD/win32" --target format_model_driver >/dev/null
python3 "$KESTRUNE_ROOT/tests/model/format_model.py" --count 1000000 \
  --driver "$BUILD/native/format_model_driver" \
  --driver "wine $BUILD/win32/format_model_driver.exe"
