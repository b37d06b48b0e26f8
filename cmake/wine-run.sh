#!/usr/bin/env bash
exec wine "$@"
