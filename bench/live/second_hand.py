#!/usr/bin/env python3
"""Watches the running program's second hand through its overlay: opens the
events socket with frames, notes when each frame arrives (while only the
clock moves, one a second, each the second hand's step), and when a line
arrives on standard input prints what it saw:

    frames N, longest gap G ms, seconds missed M

A gap of two seconds or more between frames is a second the overlay never
showed: the second hand missed it.

Usage: second_hand.py ws://127.0.0.1:PORT/api/v1/events?token=TOKEN&frames=1
"""
import asyncio
import sys
import time

import websockets


async def watch(url):
    arrivals = []
    async with websockets.connect(url, max_size=16 * 1024 * 1024) as socket:
        print("open", flush=True)

        async def frames():
            async for message in socket:
                if isinstance(message, bytes):
                    arrivals.append(time.monotonic())

        reader = asyncio.ensure_future(frames())
        await asyncio.get_running_loop().run_in_executor(None, sys.stdin.readline)
        reader.cancel()
    # The first frame comes at once on connecting; the clock's pace starts after it.
    gaps = [(b - a) * 1000 for a, b in zip(arrivals[1:], arrivals[2:])]
    longest = max(gaps, default=0)
    missed = sum(1 for g in gaps if g >= 2000)
    print(f"frames {len(arrivals)}, longest gap {longest:.0f} ms, seconds missed {missed}", flush=True)


if __name__ == "__main__":
    asyncio.run(watch(sys.argv[1]))
