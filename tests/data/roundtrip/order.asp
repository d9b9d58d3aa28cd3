<%@ Language=VBScript %>
<% Response.ContentType = "text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="order" title="Order">
    <do type="accept" label="Pay">
      <go href="pay.asp" method="post"><postfield name="total" value="$(total)"/></go>
    </do>
    <p align="left">
<% Dim total : total = Session("total") %>
      <b>Your order</b><br/>
      Item: <em><%= Request.QueryString("item") %></em><br/>
      <br/>
<% If total > 100 Then %>
      <i>Free delivery</i>
<% End If %>
    </p>
    <p>
      <a href="cart.asp">Back to the cart</a>
<% Response.Write("served " & Now()) %>
    </p>
  </card>
</wml>
