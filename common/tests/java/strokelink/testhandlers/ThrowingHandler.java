package strokelink.testhandlers;

/** Records every press, then throws from it. */
public class ThrowingHandler extends EventLog {
  public void notifyKeyPressed(short code) {
    record("P", code);
    throw new IllegalStateException("handler failed on press " + code);
  }

  public void notifyKeyReleased(short code) {
    record("R", code);
  }
}
