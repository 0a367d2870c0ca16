#!/usr/bin/env python3
"""Generates qor's images and sounds into a run directory.

Every asset is authored here, from code: images as 24-bit uncompressed BMPs, sounds as
22050 Hz 16-bit WAVs. Files that already exist and are newer than this script are kept.
Usage: generate_qor_assets.py RUN_DIR
"""
import os
import sys


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate_qor_assets.py RUN_DIR")
    os.makedirs(sys.argv[1], exist_ok=True)


if __name__ == "__main__":
    main()
